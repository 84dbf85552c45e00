// Streams arbitrary bytes through the poll loop and the phone over the simulated dongle: input
// reports, panel values and clicks, plug events and failed name reads, one cycle at a time.
// Every report the dongle receives must be one the host may send, and the call state one of the
// seven.
#include <cstdint>
#include <cstdlib>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "phone/call_state_machine.h"
#include "poll/poll_loop.h"
#include "support/catalogue.h"
#include "support/fake_panel.h"

namespace {

using namespace sonvik;

class ByteStream {
  public:
    ByteStream(const std::uint8_t* pData, std::size_t nSize) : m_p(pData), m_pEnd(pData + nSize) {}
    bool Empty() const { return m_p == m_pEnd; }
    std::uint8_t Next() { return m_p == m_pEnd ? 0 : *m_p++; }
    std::uint32_t Next32() {
        std::uint32_t nValue = 0;
        for (int i = 0; i < 4; ++i) {
            nValue = nValue << 8 | Next();
        }
        return nValue;
    }

  private:
    const std::uint8_t* m_p;
    const std::uint8_t* m_pEnd;
};

// A panel that records nothing, so that long inputs stay cheap.
class FuzzPanel : public test::FakePanel {
  public:
    void SetUsbNameText(const WideText&) override {}
    void SetDongleStateText(const WideText&) override {}
    void SetCallStateText(const WideText&) override {}
    void SetAudioStateText(const WideText&) override {}
};

void SetPanelValue(FuzzPanel& panel, ByteStream& in) {
    switch (in.Next() % 8) {
        case 0:
            panel.m_nSignal = in.Next32();
            break;
        case 1:
            panel.m_nBattery = in.Next32();
            break;
        case 2:
            panel.m_nMemoryLocation = in.Next32();
            break;
        case 3: {
            // Longer than any panel gives, to check the sender's own bound.
            panel.m_operator.clear();
            for (int n = in.Next() % 24; n > 0; --n) {
                panel.m_operator.push_back(static_cast<char16_t>(in.Next() << 8 | in.Next()));
            }
            break;
        }
        case 4:
            panel.m_bAvailable = !panel.m_bAvailable;
            break;
        case 5:
            panel.m_bRoaming = !panel.m_bRoaming;
            break;
        case 6:
            panel.m_bLastDial = !panel.m_bLastDial;
            break;
        default:
            panel.m_bVoiceRecognition = !panel.m_bVoiceRecognition;
            break;
    }
}

void QueueInput(CSimulatedDongle& dongle, ByteStream& in) {
    DongleReport report{};
    for (auto& nByte : report) {
        nByte = in.Next();
    }
    dongle.QueueInputReport(report);
}

void Check(CSimulatedDongle& dongle) {
    for (const DongleReport& report : dongle.TakeSentReports()) {
        if (!test::IsCatalogueReport(report)) {
            std::abort();
        }
    }
    if (g_nCallState < NoCall || g_nCallState > HeldCall) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    ResetCallState();
    CSimulatedDongle::Options options;
    options.readWait = std::chrono::milliseconds(0);
    CSimulatedDongle dongle(options);
    FuzzPanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &dongle;
    app.m_nProductId = 0;
    app.m_sleep = [](std::chrono::milliseconds) {};

    ByteStream in(pData, nSize);
    while (!in.Empty()) {
        switch (in.Next() % 8) {
            case 0:
                QueueInput(dongle, in);
                break;
            case 1:
                panel.m_bRequest.Raise(static_cast<PanelRequest>(in.Next() % kPanelRequestCount));
                break;
            case 2:
                SetPanelValue(panel, in);
                break;
            case 3:
                dongle.Unplug();
                break;
            case 4:
                dongle.Plug();
                break;
            case 5:
                dongle.FailNextNameRead();
                break;
            default:
                RunPollCycle(app);
                Check(dongle);
                break;
        }
    }
    RunPollCycle(app);
    Check(dongle);
    return 0;
}
