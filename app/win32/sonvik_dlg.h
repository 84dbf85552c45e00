#pragma once

#include "app/dialog_panel.h"
#include "app/win32/framework/dialog.h"

namespace sonvik::win32 {

// The control panel as a Win32 dialog from template 102. The worker's panel operations reach
// the controls through the window system, which carries each one over to the dialog's thread
// and holds the worker until it is done; without a window they do nothing.
class CSonvikDlg : public CDialog, public IDialogPanel {
  public:
    CSonvikDlg();
    ~CSonvikDlg() override = default;

    void DoModal() override { CDialog::DoModal(); }
    // Keeps handing the worker's control accesses to the system while it waits, so that one
    // sent just as the window went is still answered.
    void WaitForWorker(std::thread& worker) override;

    void SetUsbNameText(const WideText& text) override;
    void SetDongleStateText(const WideText& text) override;
    void SetCallStateText(const WideText& text) override;
    void SetAudioStateText(const WideText& text) override;
    std::uint32_t GetSignalStrength() override;
    std::uint32_t GetBatteryLevel() override;
    std::uint32_t GetMemoryDialLocation() override;
    WideText GetNetworkOperator() override;
    bool IsNetworkAvailable() override;
    bool IsRoaming() override;
    bool IsLastDialEnabled() override;
    bool IsVoiceRecognitionEnabled() override;
    void SetVoiceRecognitionCheck(bool bChecked) override;
    RequestFlags& GetRequestFlags() override { return m_bRequest; }

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

    void SetFieldText(int nId, const WideText& text);
    std::uint32_t GetFieldNumber(int nId);
    bool IsChecked(int nId);

    RequestFlags m_bRequest;
    HICON m_hIcon;
};

}  // namespace sonvik::win32
