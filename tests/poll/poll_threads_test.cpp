// The worker on a thread of its own beside threads that click and talk as the panel and the
// hands-free unit would. Run under ThreadSanitizer in CI.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "phone/call_state_machine.h"
#include "poll/poll_fixture.h"
#include "poll/poll_loop.h"
#include "protocol/host_commands.h"
#include "support/catalogue.h"
#include "support/null_panel.h"
#include "support/report_builder.h"

namespace sonvik {
namespace {

using test::Report;

// Spins until the condition holds; false after a generous deadline.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

std::size_t CountCommand(const std::vector<DongleReport>& reports, int nCommand) {
    return static_cast<std::size_t>(std::count_if(
        reports.begin(), reports.end(), [&](const DongleReport& r) { return r[1] == nCommand; }));
}

TEST(PollThreads, ClicksFromAnotherThreadAreNeitherRacedNorLost) {
    ResetCallState();
    CSimulatedDongle dongle(test::InstantDongle());
    test::NullPanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &dongle;
    app.m_nVendorId = test::kTestVendorId;
    app.m_sleep = [](std::chrono::milliseconds) { std::this_thread::yield(); };
    app.m_bRunning = 1;
    std::thread worker([&] { PollLoop(app); });
    ASSERT_TRUE(Eventually([&] { return app.HasDevice(); }));

    constexpr int kClicks = 20000;
    std::thread clicker([&] {
        for (int i = 0; i < kClicks; ++i) {
            panel.m_bRequest.Raise(SendSignal);
            panel.m_bRequest.Raise(ToggleRoam);
        }
    });
    std::thread handsFree([&] {
        for (int i = 0; i < 200; ++i) {
            dongle.QueueInputReport(Report({2, 1, HfListCurrentCalls}));
            std::this_thread::yield();
        }
    });
    clicker.join();
    handsFree.join();

    // A click after the others is carried out; by then every earlier click has been too.
    panel.m_bRequest.Raise(SendBattery);
    ASSERT_TRUE(Eventually([&] { return CountCommand(dongle.SentReports(), BatteryLevel) == 2; }));
    EXPECT_FALSE(panel.m_bRequest.IsRaised(SendSignal));
    EXPECT_FALSE(panel.m_bRequest.IsRaised(ToggleRoam));

    // The leaving report goes out from this thread while the worker still runs.
    EXPECT_TRUE(SendHostPresence(dongle, app.GetDevice(), false));
    app.m_bRunning = 0;
    worker.join();

    const auto sent = dongle.SentReports();
    const std::size_t nSignals = CountCommand(sent, SignalStrength);
    EXPECT_GE(nSignals, 2u);  // the synchronisation's and at least one click's
    EXPECT_LE(nSignals, static_cast<std::size_t>(kClicks) + 1);
    // Unordered with the worker's last reports, but delivered whole, as is everything else.
    EXPECT_NE(std::find(sent.begin(), sent.end(), Report({2, 0, 0})), sent.end());
    EXPECT_TRUE(std::all_of(sent.begin(), sent.end(), test::IsCatalogueReport));
    EXPECT_EQ(CountCommand(sent, RequestAccepted), 200u - dongle.QueuedInputCount());
    ResetCallState();
}

TEST(PollThreads, StopsWithinACycleWhileSearching) {
    CSimulatedDongle dongle(test::InstantDongle(false));
    test::NullPanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &dongle;
    app.m_sleep = [](std::chrono::milliseconds) { std::this_thread::yield(); };
    app.m_bRunning = 1;
    std::thread worker([&] { PollLoop(app); });
    for (int i = 0; i < 1000; ++i) {
        panel.m_bRequest.Raise(EnterDut);
    }
    app.m_bRunning = 0;
    worker.join();
    EXPECT_TRUE(dongle.SentReports().empty());
}

}  // namespace
}  // namespace sonvik
