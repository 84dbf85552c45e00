#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "app/console/console_panel.h"
#include "app/control_panel.h"

namespace sonvik::qt {

class CPanelWindow;

// The control panel on Qt. The object lives from start-up to shutdown; its window only during
// DoModal. The worker's panel operations are carried over to the window's thread and waited
// for; when the window is closing, a waiting operation is released and gives its "no window"
// answer, so that the worker never waits on a thread that is waiting for it.
class CSonvikDlg : public CControlPanel, public IConsolePanel {
  public:
    CSonvikDlg();
    ~CSonvikDlg() override;

    void DoModal() override;

    // The operator's side, from any thread, as the keyboard and mouse would do it.
    WideText GetControlText(int nId) override;
    bool SetControlText(int nId, const WideText& text) override;
    bool SetCheck(int nId, bool bChecked) override;
    bool ClickControl(int nId) override;
    bool CloseWindow() override;

    // Called on the window's thread once the modal run has begun, for tests and tools that
    // drive the window from inside it.
    std::function<void(CPanelWindow&)> m_onWindowShown;

  private:
    struct Task {
        std::function<void(CPanelWindow&)> run;
        bool bDone = false;
    };

    void OnInitDialog(CPanelWindow& window);
    void OpenGate(CPanelWindow* pWindow);
    void CloseGate();
    void RunPendingTasks();
    // Runs fn on the window's thread and waits for it; false when there is no window.
    bool OnWindow(const std::function<void(CPanelWindow&)>& fn);
    WideText ReadFieldText(int nId, std::size_t nMaxUnits) override;
    void WriteFieldText(int nId, const WideText& text) override;
    bool IsBoxChecked(int nId) override;
    void SetBoxCheck(int nId, bool bChecked) override;

    std::mutex m_mutex;
    std::condition_variable m_taskDone;
    CPanelWindow* m_pWindow = nullptr;  // guarded by m_mutex; set only while the window runs
    std::deque<std::shared_ptr<Task>> m_pending;
    // What the four read-only fields show; only their setters write them, so a setter whose text
    // is already shown need not cross to the window's thread. Guarded by m_mutex.
    std::map<int, WideText> m_shownTexts;
};

}  // namespace sonvik::qt
