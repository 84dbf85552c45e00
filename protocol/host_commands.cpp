#include "protocol/host_commands.h"

#include <algorithm>

#include "hid/transport.h"

namespace sonvik {

namespace {

// A fresh all-zero frame with the report ID, the command and its sub-code or flag.
DongleReport ComposeReport(HostCommand nCommand, std::uint8_t nSubCode) {
    DongleReport report{};
    report[0] = kReportId;
    report[1] = nCommand;
    report[2] = nSubCode;
    return report;
}

std::uint8_t LowByte(std::uint32_t nValue) {
    return static_cast<std::uint8_t>(nValue & 0xFFu);
}

std::uint8_t Flag(bool bValue) {
    return bValue ? 1 : 0;
}

bool SendWithFlagByte(ITransport& transport, DongleDevice device, HostCommand nCommand,
                      std::uint8_t nSubCode, std::uint8_t nByte3) {
    DongleReport report = ComposeReport(nCommand, nSubCode);
    report[3] = nByte3;
    return transport.SendReport(device, report);
}

bool SendBare(ITransport& transport, DongleDevice device, HostCommand nCommand,
              std::uint8_t nSubCode) {
    return transport.SendReport(device, ComposeReport(nCommand, nSubCode));
}

}  // namespace

bool SendHostPresence(ITransport& transport, DongleDevice device, bool bPresent) {
    return SendBare(transport, device, HostPresence, Flag(bPresent));
}

bool SendDeviceStateChange(ITransport& transport, DongleDevice device, std::uint8_t nSubCode) {
    return SendBare(transport, device, DeviceStateChange, nSubCode);
}

bool SendCallStatus(ITransport& transport, DongleDevice device, CallState nState) {
    return SendBare(transport, device, CallStatus, static_cast<std::uint8_t>(nState));
}

bool SendCallStatusWithNumber(ITransport& transport, DongleDevice device, CallState nState,
                              const char* pszNumber) {
    constexpr std::uint8_t kInternationalNumberType = 0x81;
    DongleReport report = ComposeReport(CallStatus, static_cast<std::uint8_t>(nState));
    report[3] = kInternationalNumberType;
    report[4] = static_cast<std::uint8_t>(kCallerNumberLength);
    std::copy_n(pszNumber, kCallerNumberLength, report.begin() + 5);
    return transport.SendReport(device, report);
}

bool SendSignalStrength(ITransport& transport, DongleDevice device, std::uint32_t nLevel) {
    return SendWithFlagByte(transport, device, SignalStrength, 0, LowByte(nLevel));
}

bool SendBatteryLevel(ITransport& transport, DongleDevice device, std::uint32_t nLevel) {
    return SendWithFlagByte(transport, device, BatteryLevel, 0, LowByte(nLevel));
}

bool SendAudioTransfer(ITransport& transport, DongleDevice device, std::uint8_t nSubCode) {
    return SendBare(transport, device, AudioTransfer, nSubCode);
}

bool SendNetworkOperator(ITransport& transport, DongleDevice device, const WideText& name) {
    // The frame has room for 15 characters; a longer name is cut rather than overrun the frame.
    const std::size_t nCount = std::min(name.size(), kMaxOperatorNameLength);
    DongleReport report = ComposeReport(NetworkStatus, 0);
    report[3] = static_cast<std::uint8_t>(nCount);
    for (std::size_t i = 0; i < nCount; ++i) {
        report[4 + i] = LowByte(name[i]);
    }
    return transport.SendReport(device, report);
}

bool SendNetworkAvailable(ITransport& transport, DongleDevice device, bool bAvailable) {
    return SendWithFlagByte(transport, device, NetworkStatus, 1, Flag(bAvailable));
}

bool SendRoam(ITransport& transport, DongleDevice device, bool bRoaming) {
    return SendWithFlagByte(transport, device, NetworkStatus, 2, Flag(bRoaming));
}

bool SendRequestRejected(ITransport& transport, DongleDevice device, std::uint8_t nSubCode) {
    return SendBare(transport, device, RequestRejected, nSubCode);
}

bool SendRequestAccepted(ITransport& transport, DongleDevice device, std::uint8_t nSubCode) {
    return SendBare(transport, device, RequestAccepted, nSubCode);
}

bool SendCallListEntry(ITransport& transport, DongleDevice device, const CallInfo& entry) {
    // At most the 9 number bytes the frame holds, and the count byte says what was sent.
    const auto nLength = std::min<std::size_t>(entry.NumberLength, kCallerNumberLength);
    DongleReport report = ComposeReport(CallListEntry, 0);
    report[3] = entry.Index;
    report[4] = entry.Direction;
    report[5] = entry.Status;
    report[6] = entry.Mode;
    report[7] = entry.Multiparty;
    report[8] = entry.NumberType;
    report[9] = static_cast<std::uint8_t>(nLength);
    std::copy_n(entry.Number, nLength, report.begin() + 10);
    return transport.SendReport(device, report);
}

bool SendVoiceRecognition(ITransport& transport, DongleDevice device, bool bEnabled) {
    return SendBare(transport, device, VoiceRecognition, Flag(bEnabled));
}

}  // namespace sonvik
