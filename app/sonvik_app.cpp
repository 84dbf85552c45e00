#include "app/sonvik_app.h"

#include "common/debug_output.h"
#include "poll/poll_loop.h"
#include "protocol/host_commands.h"

namespace sonvik {

CSonvikApp::~CSonvikApp() {
    DebugWrite("Exit application\n");
    const DeviceHandle hDevice = m_hDevice.exchange(kInvalidDeviceHandle);
    if (hDevice != kInvalidDeviceHandle && m_pTransport != nullptr) {
        m_pTransport->CloseDongle(hDevice);
    }
    if (m_hWorkerThread.joinable()) {
        m_hWorkerThread.join();
    }
}

void SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

void RunModalSession(CSonvikApp& app, IDialogPanel& dlg) {
    if (!app.m_sleep) {
        app.m_sleep = SleepFor;
    }
    app.m_pDlg = &dlg;
    app.m_bRunning = 1;
    app.m_hWorkerThread = std::thread([&app] { PollLoop(app); });
    dlg.DoModal();
    // Told to the dongle before the worker is told to stop; unordered with its last reports.
    SendHostPresence(*app.m_pTransport, app.GetDevice(), false);
    app.m_bRunning = 0;
    // The worker reads the panel until it leaves its loop, so the panel outlives it: at most one
    // cycle, a 400 ms read or a 250 ms pause with one search.
    dlg.WaitForWorker(app.m_hWorkerThread);
    app.m_pDlg = nullptr;
}

}  // namespace sonvik
