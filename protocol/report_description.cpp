#include "protocol/report_description.h"

#include <cstdio>
#include <iterator>

namespace sonvik {

namespace {

constexpr const char* kCallStates[] = {"NoCall",     "IncomingCall",          "OutgoingCall",
                                       "ActiveCall", "ActiveCallWithWaiting", "ActiveCallWithHeld",
                                       "HeldCall"};
constexpr const char* kDeviceStates[] = {"(sync)",      "DFU",  "DUT",     "Inquiry",
                                         "InquiryScan", "Page", "PageScan"};
constexpr const char* kAnswered[] = {"memory dial", "last number redial", "call list"};

template <std::size_t N>
std::string Pick(const char* const (&names)[N], std::uint8_t nIndex) {
    return nIndex < N ? names[nIndex] : "sub-code " + std::to_string(nIndex);
}

// Printable ASCII as it stands, anything else as '?'.
std::string Characters(const DongleReport& r, std::size_t nFirst, std::size_t nCount) {
    std::string text;
    for (std::size_t i = nFirst; i < nFirst + nCount && i < r.size(); ++i) {
        text += r[i] >= 0x20 && r[i] < 0x7F ? static_cast<char>(r[i]) : '?';
    }
    return text;
}

std::string OnOff(std::uint8_t nFlag) {
    return nFlag != 0 ? "on" : "off";
}

std::string DescribeCallStatus(const DongleReport& r) {
    std::string text = "CallStatus " + Pick(kCallStates, r[2]);
    if (r[2] == 1 || r[2] == 4) {
        text += " " + Characters(r, 5, r[4]);  // the number carries its own quotes
    }
    return text;
}

std::string DescribeNetworkStatus(const DongleReport& r) {
    switch (r[2]) {
        case 0:
            return "NetworkStatus operator \"" + Characters(r, 4, r[3]) + "\"";
        case 1:
            return "NetworkStatus available " + OnOff(r[3]);
        case 2:
            return "NetworkStatus roaming " + OnOff(r[3]);
        default:
            return "NetworkStatus sub-code " + std::to_string(r[2]);
    }
}

std::string DescribeCallListEntry(const DongleReport& r) {
    return "CallListEntry " + std::to_string(r[3]) + (r[4] != 0 ? " incoming" : " outgoing") +
           " status " + std::to_string(r[5]);
}

}  // namespace

std::string DescribeHostReport(const DongleReport& r) {
    switch (r[1]) {
        case HostPresence:
            return r[2] != 0 ? "HostPresence present" : "HostPresence leaving";
        case DeviceStateChange:
            return "DeviceStateChange " + Pick(kDeviceStates, r[2]);
        case CallStatus:
            return DescribeCallStatus(r);
        case SignalStrength:
            return "SignalStrength " + std::to_string(r[3]);
        case BatteryLevel:
            return "BatteryLevel " + std::to_string(r[3]);
        case AudioTransfer:
            return r[2] != 0 ? "AudioTransfer transfer" : "AudioTransfer (sync)";
        case NetworkStatus:
            return DescribeNetworkStatus(r);
        case RequestRejected:
            return "RequestRejected " + Pick(kAnswered, r[2]);
        case RequestAccepted:
            return "RequestAccepted " + Pick(kAnswered, r[2]);
        case CallListEntry:
            return DescribeCallListEntry(r);
        case VoiceRecognition:
            return "VoiceRecognition " + OnOff(r[2]);
        default:
            return "command " + std::to_string(r[1]);
    }
}

std::string FormatReportBytes(const DongleReport& report) {
    std::string text;
    char szByte[4];
    for (const std::uint8_t nByte : report) {
        std::snprintf(szByte, sizeof szByte, "%02x", nByte);
        if (!text.empty()) {
            text += ' ';
        }
        text += szByte;
    }
    return text;
}

}  // namespace sonvik
