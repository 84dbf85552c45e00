#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sonvik {

// Every report in both directions is exactly these 19 bytes: report ID, command, sub-code or
// flag, then the command's fields. No multi-byte field, no length, no checksum.
inline constexpr std::size_t kReportSize = 19;
inline constexpr std::uint8_t kReportId = 2;

using DongleReport = std::array<std::uint8_t, kReportSize>;

// Byte 1 of an output report.
enum HostCommand : std::uint8_t {
    HostPresence = 0,
    DeviceStateChange = 1,
    CallStatus = 2,
    SignalStrength = 3,
    BatteryLevel = 4,
    AudioTransfer = 5,
    NetworkStatus = 6,
    RequestRejected = 7,
    RequestAccepted = 8,
    CallListEntry = 9,
    VoiceRecognition = 10,
};

}  // namespace sonvik
