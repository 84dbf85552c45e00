#pragma once

#include "app/control_panel.h"
#include "app/win32/framework/dialog.h"

namespace sonvik::win32 {

// The control panel as a Win32 dialog from template 102. The worker's panel operations reach
// the controls through the window system, which carries each one over to the dialog's thread
// and holds the worker until it is done; without a window they do nothing.
class CSonvikDlg : public CDialog, public CControlPanel {
  public:
    CSonvikDlg();
    ~CSonvikDlg() override = default;

    void DoModal() override { CDialog::DoModal(); }
    // Keeps handing the worker's control accesses to the system while it waits, so that one
    // sent just as the window went is still answered.
    void WaitForWorker(std::thread& worker) override;

  protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;
    BOOL OnInitDialog() override;

  private:
    template <std::size_t... N>
    friend struct PanelMessageMap;

    void OnPaint();
    HICON OnQueryDragIcon() { return m_hIcon; }
    template <PanelRequest nRequest>
    void OnRequestClicked() {
        m_bRequest.Raise(nRequest);
    }

    WideText ReadFieldText(int nId, std::size_t nMaxUnits) override;
    void WriteFieldText(int nId, const WideText& text) override;
    bool IsBoxChecked(int nId) override;
    void SetBoxCheck(int nId, bool bChecked) override;

    HICON m_hIcon;
};

}  // namespace sonvik::win32
