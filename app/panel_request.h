#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace sonvik {

// The panel's one-shot requests, in the order the poll loop carries them out.
enum PanelRequest : int {
    EnterDut = 0,
    EnterDfu = 1,
    EnterInquiry = 2,
    EnterInquiryScan = 3,
    EnterPage = 4,
    EnterPageScan = 5,
    PlaceIncomingCall = 6,
    PlaceOutgoingCall = 7,
    AnswerCall = 8,
    EndCall = 9,
    SendSignal = 10,
    SendBattery = 11,
    TransferAudio = 12,
    SendNetwork = 13,
    ToggleNetworkAvailable = 14,
    ToggleRoam = 15,
    HoldCall = 16,
    ToggleVoiceRecognition = 17,
};

inline constexpr int kPanelRequestCount = 18;

// The request flags, shared by the panel's thread (which raises them) and the poll loop (which
// takes them). Atomic, so that neither side ever reads a torn or stale flag; taking is one
// exchange, so a click that lands while its action runs is kept for the next cycle.
class RequestFlags {
  public:
    void Raise(PanelRequest nRequest) { Flag(nRequest).store(1, std::memory_order_release); }

    // True when the request was raised; the flag is cleared in the same step.
    bool Take(PanelRequest nRequest) { return Flag(nRequest).exchange(0) != 0; }

    bool IsRaised(PanelRequest nRequest) const {
        return m_bRequest[static_cast<std::size_t>(nRequest)].load(std::memory_order_acquire) != 0;
    }

    void ClearAll() {
        for (auto& bFlag : m_bRequest) {
            bFlag.store(0, std::memory_order_release);
        }
    }

  private:
    std::atomic<std::uint8_t>& Flag(PanelRequest nRequest) {
        return m_bRequest[static_cast<std::size_t>(nRequest)];
    }

    std::array<std::atomic<std::uint8_t>, kPanelRequestCount> m_bRequest{};
};

}  // namespace sonvik
