#pragma once

#include <cstdint>

namespace sonvik {

// The simulated phone's call state; its value is also the CallStatus sub-code that announces it.
enum CallState : std::int32_t {
    NoCall = 0,
    IncomingCall = 1,
    OutgoingCall = 2,
    ActiveCall = 3,
    ActiveCallWithWaiting = 4,
    ActiveCallWithHeld = 5,
    HeldCall = 6,
};

inline constexpr int kCallStateCount = 7;

}  // namespace sonvik
