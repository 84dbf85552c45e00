#pragma once

#include <cstdint>

#include "common/wide_text.h"

namespace sonvik {

// The dongle's Bluetooth link state as it reports it; NotReported until its first report.
enum DongleState : std::int32_t {
    Inquiring = 0,
    InquiryScan = 1,
    Paging = 2,
    PageScan = 3,
    Connected = 4,
    NotReported = 5,
};

// The (e)SCO audio link state as the dongle reports it.
inline constexpr std::int32_t kAudioDisconnected = 1;
inline constexpr std::int32_t kAudioConnected = 2;

// The panel's texts for a reported value; any value without a text gives the empty text.
WideText GetDongleStateText(std::int32_t nDongleState);
WideText GetAudioStateText(std::int32_t nAudioState);

}  // namespace sonvik
