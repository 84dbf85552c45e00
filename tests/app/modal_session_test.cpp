#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "phone/call_state_machine.h"
#include "poll/poll_fixture.h"
#include "support/debug_capture.h"
#include "support/null_panel.h"
#include "support/report_builder.h"

namespace sonvik {
namespace {

using test::Report;

// A modal run that ends as soon as its condition holds, as an operator closing the window.
class ScriptedDialog : public test::NullPanel {
  public:
    ScriptedDialog(std::function<bool()> closeWhen, bool& bDestroyed)
        : m_closeWhen(std::move(closeWhen)), m_bDestroyed(bDestroyed) {}
    ~ScriptedDialog() override { m_bDestroyed = true; }
    void DoModal() override {
        while (!m_closeWhen()) {
            std::this_thread::yield();
        }
    }

  private:
    std::function<bool()> m_closeWhen;
    bool& m_bDestroyed;
};

TEST(ModalSession, LeavingReportReachesAnOpenDongleBeforeTheWorkerIsStopped) {
    ResetCallState();
    test::DebugCapture capture;
    CSimulatedDongle dongle(test::InstantDongle());
    std::atomic<int> nRunningAtLeave{-1};
    bool bDestroyed = false;
    {
        CSonvikApp app;
        app.m_nVendorId = test::kTestVendorId;
        app.m_pTransport = &dongle;
        dongle.SetReportListener([&](const DongleReport& report) {
            if (report == Report({2, 0, 0})) {
                nRunningAtLeave = app.m_bRunning.load();
            }
        });
        {
            ScriptedDialog dlg([&] { return dongle.SentReports().size() >= 9; }, bDestroyed);
            RunModalSession(app, dlg);
        }
        EXPECT_TRUE(bDestroyed);
        EXPECT_EQ(app.m_pDlg.load(), nullptr);
        EXPECT_FALSE(app.m_hWorkerThread.joinable());
        EXPECT_TRUE(dongle.IsOpen());  // closed at exit, not before
    }
    EXPECT_EQ(nRunningAtLeave, 1);
    EXPECT_FALSE(dongle.IsOpen());
    const std::string text = capture.Text();
    EXPECT_EQ(text.find("Exit application\n"), text.rfind("Exit application\n"));
    EXPECT_NE(text.find("Exit application\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 17), "Exit application\n");
}

TEST(ModalSession, WithNoDongleTheProgramEndsNormally) {
    CSimulatedDongle dongle(test::InstantDongle(false));
    bool bDestroyed = false;
    int nSearches = 0;
    {
        CSonvikApp app;
        app.m_pTransport = &dongle;
        app.m_sleep = [&](std::chrono::milliseconds) { ++nSearches; };
        std::atomic<bool> bClose{false};
        std::thread closer([&] { bClose = true; });
        {
            ScriptedDialog dlg([&] { return bClose.load(); }, bDestroyed);
            RunModalSession(app, dlg);
        }
        closer.join();
        EXPECT_FALSE(app.m_hWorkerThread.joinable());
    }
    EXPECT_TRUE(bDestroyed);
    EXPECT_TRUE(dongle.SentReports().empty());
}

}  // namespace
}  // namespace sonvik
