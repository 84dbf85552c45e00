#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "phone/call_state_machine.h"
#include "poll/poll_loop.h"
#include "support/fake_panel.h"
#include "support/report_builder.h"

namespace sonvik::test {

inline constexpr std::uint32_t kTestVendorId = 0x0A12;

inline CSimulatedDongle::Options InstantDongle(bool bPlugged = true) {
    CSimulatedDongle::Options options;
    options.productName = u"Test Dongle";
    options.nVendorId = kTestVendorId;
    options.nProductId = kDefaultProductId;
    options.readWait = std::chrono::milliseconds(0);
    options.bPlugged = bPlugged;
    return options;
}

// The poll loop over a simulated dongle whose reads never wait and a recording panel, driven one
// cycle at a time; the search pause is recorded instead of slept.
class PollTest : public ::testing::Test {
  protected:
    explicit PollTest(bool bPlugged = true) : m_dongle(InstantDongle(bPlugged)) {
        ResetCallState();
        m_app.m_pDlg = &m_panel;
        m_app.m_pTransport = &m_dongle;
        m_app.m_nVendorId = kTestVendorId;
        m_app.m_sleep = [this](std::chrono::milliseconds pause) { m_pauses.push_back(pause); };
    }
    ~PollTest() override { ResetCallState(); }

    void Cycle(int nCount = 1) {
        for (int i = 0; i < nCount; ++i) {
            RunPollCycle(m_app);
        }
    }

    // Opens the dongle and forgets the synchronisation, so a case sees only its own reports.
    void OpenDongle() {
        Cycle();
        ASSERT_TRUE(m_app.HasDevice());
        m_dongle.TakeSentReports();
    }

    void Input(std::initializer_list<int> leading) { m_dongle.QueueInputReport(Report(leading)); }

    void Raise(PanelRequest nRequest) { m_panel.m_bRequest.Raise(nRequest); }

    CSimulatedDongle m_dongle;
    FakePanel m_panel;
    CSonvikApp m_app;
    std::vector<std::chrono::milliseconds> m_pauses;
};

}  // namespace sonvik::test
