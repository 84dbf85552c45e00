#pragma once

#include <cstdint>

#include "common/call_state.h"
#include "common/dongle_device.h"
#include "common/wide_text.h"
#include "protocol/dongle_report.h"

namespace sonvik {

class ITransport;

// The widest caller number and operator name a frame can carry.
inline constexpr std::size_t kCallerNumberLength = 9;
inline constexpr std::size_t kMaxOperatorNameLength = 15;

// One call of the current-calls list, laid out in this order in a CallListEntry report.
struct CallInfo {
    std::uint8_t Index = 0;
    std::uint8_t Direction = 0;
    std::uint8_t Status = 0;
    std::uint8_t Mode = 0;
    std::uint8_t Multiparty = 0;
    std::uint8_t NumberType = 0;
    std::uint8_t NumberLength = 0;
    char Number[kCallerNumberLength] = {};
};

// One sender per host command. Each composes its report and returns what SendReport answered.
bool SendHostPresence(ITransport& transport, DongleDevice device, bool bPresent);
bool SendDeviceStateChange(ITransport& transport, DongleDevice device, std::uint8_t nSubCode);
bool SendCallStatus(ITransport& transport, DongleDevice device, CallState nState);
// pszNumber points at exactly kCallerNumberLength characters; no terminator is sent.
bool SendCallStatusWithNumber(ITransport& transport, DongleDevice device, CallState nState,
                              const char* pszNumber);
bool SendSignalStrength(ITransport& transport, DongleDevice device, std::uint32_t nLevel);
bool SendBatteryLevel(ITransport& transport, DongleDevice device, std::uint32_t nLevel);
bool SendAudioTransfer(ITransport& transport, DongleDevice device, std::uint8_t nSubCode);
bool SendNetworkOperator(ITransport& transport, DongleDevice device, const WideText& name);
bool SendNetworkAvailable(ITransport& transport, DongleDevice device, bool bAvailable);
bool SendRoam(ITransport& transport, DongleDevice device, bool bRoaming);
bool SendRequestRejected(ITransport& transport, DongleDevice device, std::uint8_t nSubCode);
bool SendRequestAccepted(ITransport& transport, DongleDevice device, std::uint8_t nSubCode);
bool SendCallListEntry(ITransport& transport, DongleDevice device, const CallInfo& entry);
bool SendVoiceRecognition(ITransport& transport, DongleDevice device, bool bEnabled);

}  // namespace sonvik
