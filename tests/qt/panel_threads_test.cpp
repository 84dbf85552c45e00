// The worker busy in panel operations while the operator opens and closes the panel: never a
// hang, never a destroyed widget touched. Run under ThreadSanitizer in CI.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>

#include "app/qt/panel_window.h"
#include "app/qt/sonvik_dlg.h"
#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "phone/call_state_machine.h"
#include "poll/poll_fixture.h"
#include "support/report_builder.h"

namespace sonvik::qt {
namespace {

TEST(PanelThreads, StartAndCloseManyTimesWithTheWorkerBusy) {
    ResetCallState();
    for (int nRound = 0; nRound < 40; ++nRound) {
        CSimulatedDongle dongle(test::InstantDongle());
        CSonvikApp app;
        app.m_nVendorId = test::kTestVendorId;
        app.m_pTransport = &dongle;
        CSonvikDlg dlg;
        // Closed at a different moment of the worker's cycle each round.
        dlg.m_onWindowShown = [nRound](CPanelWindow& window) {
            QTimer::singleShot(nRound % 7, &window, [&window] { window.reject(); });
        };
        RunModalSession(app, dlg);
        EXPECT_FALSE(app.m_hWorkerThread.joinable());
        // The worker may not have begun a cycle before an early close; if it opened the
        // dongle, the dongle heard the host arrive first.
        const auto sent = dongle.SentReports();
        if (!sent.empty()) {
            EXPECT_EQ(sent.front(), test::Report({2, 0, 1}));
        }
    }
    ResetCallState();
}

}  // namespace
}  // namespace sonvik::qt
