#include "support/catalogue.h"

#include <algorithm>
#include <cstring>

#include "phone/call_state_machine.h"

namespace sonvik::test {

namespace {

bool ZeroFrom(const DongleReport& report, std::size_t nFirst) {
    return std::all_of(report.begin() + static_cast<std::ptrdiff_t>(nFirst), report.end(),
                       [](std::uint8_t b) { return b == 0; });
}

bool IsFlag(std::uint8_t nByte) {
    return nByte <= 1;
}

bool IsCallStatus(const DongleReport& r) {
    if (r[2] > HeldCall) {
        return false;
    }
    if (r[2] != IncomingCall && r[2] != ActiveCallWithWaiting) {
        return ZeroFrom(r, 3);
    }
    const bool bKnownNumber = std::memcmp(&r[5], g_szIncomingNumber, 9) == 0 ||
                              std::memcmp(&r[5], g_szWaitingNumber, 9) == 0;
    return r[3] == 0x81 && r[4] == 9 && bKnownNumber && ZeroFrom(r, 14);
}

bool IsNetworkStatus(const DongleReport& r) {
    switch (r[2]) {
        case 0:
            return r[3] <= 15 && ZeroFrom(r, 4u + r[3]);
        case 1:
        case 2:
            return IsFlag(r[3]) && ZeroFrom(r, 4);
        default:
            return false;
    }
}

bool IsCallListEntry(const DongleReport& r) {
    const bool bKnownStatus = r[5] == 0 || r[5] == 1 || r[5] == 2 || r[5] == 4;
    return r[2] == 0 && (r[3] == 1 || r[3] == 2) && IsFlag(r[4]) && bKnownStatus && ZeroFrom(r, 6);
}

}  // namespace

bool IsCatalogueReport(const DongleReport& r) {
    if (r[0] != kReportId) {
        return false;
    }
    switch (r[1]) {
        case HostPresence:
        case AudioTransfer:
        case VoiceRecognition:
            return IsFlag(r[2]) && ZeroFrom(r, 3);
        case DeviceStateChange:
            return r[2] <= 6 && ZeroFrom(r, 3);
        case CallStatus:
            return IsCallStatus(r);
        case SignalStrength:
        case BatteryLevel:
            return r[2] == 0 && ZeroFrom(r, 4);
        case NetworkStatus:
            return IsNetworkStatus(r);
        case RequestRejected:
            return IsFlag(r[2]) && ZeroFrom(r, 3);
        case RequestAccepted:
            return r[2] <= 2 && ZeroFrom(r, 3);
        case CallListEntry:
            return IsCallListEntry(r);
        default:
            return false;
    }
}

}  // namespace sonvik::test
