#pragma once

#include <array>
#include <cstdint>

#include "protocol/dongle_report.h"

namespace sonvik {

// Byte 1 of an input report.
enum EventCommand : std::int32_t {
    DongleStateReport = 0,
    HandsFreeRequest = 1,
    AudioStateReport = 2,
    VoiceRecognitionReport = 3,
};

// Payload[0] of a HandsFreeRequest.
enum HfRequestCode : std::int32_t {
    HfAnswer = 0,
    HfHangUp = 1,
    HfDial = 2,
    HfMemoryDial = 3,
    HfLastNumberRedial = 4,
    HfListCurrentCalls = 5,
};

inline constexpr int kEventPayloadCount = 17;

// A decoded input report: the command and the 17 bytes after it, each 0..255.
struct DongleEvent {
    std::int32_t Command = 0;
    std::int32_t PayloadCount = 0;
    std::array<std::int32_t, kEventPayloadCount> Payload = {};
};

// The buffer a read starts from, so that bytes a short report does not deliver decode as 0.
DongleReport MakeReadBuffer();

// Decodes one input report and traces it to the diagnostics as one line.
void DecodeDongleEvent(const DongleReport& report, DongleEvent& event);

// The memory location a memory-dial request carries, as a saturated signed decimal.
std::int32_t ParseMemoryLocation(const DongleEvent& event);

}  // namespace sonvik
