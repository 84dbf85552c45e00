#pragma once

#include <cstddef>
#include <string>

#include "app/dialog_panel.h"
#include "app/panel_layout.h"

namespace sonvik {

// The panel operations as every binding has them: which control each one reaches, and how a
// field's text becomes a number or an operator name. A binding supplies the four control
// accesses; each does nothing, or answers empty text or false, while the window does not exist.
class CControlPanel : public IDialogPanel {
  public:
    void SetUsbNameText(const WideText& text) override { WriteFieldText(IDC_USB_NAME, text); }
    void SetDongleStateText(const WideText& text) override {
        WriteFieldText(IDC_DONGLE_STATE, text);
    }
    void SetCallStateText(const WideText& text) override { WriteFieldText(IDC_CALL_STATE, text); }
    void SetAudioStateText(const WideText& text) override { WriteFieldText(IDC_AUDIO_STATE, text); }

    std::uint32_t GetSignalStrength() override { return ReadFieldNumber(IDC_SIGNAL); }
    std::uint32_t GetBatteryLevel() override { return ReadFieldNumber(IDC_BATTERY); }
    std::uint32_t GetMemoryDialLocation() override { return ReadFieldNumber(IDC_MEMORY_LOCATION); }
    WideText GetNetworkOperator() override {
        return TruncateOperatorName(ReadFieldText(IDC_OPERATOR, kMaxOperatorLength));
    }

    bool IsNetworkAvailable() override { return IsBoxChecked(IDC_AVAILABLE); }
    bool IsRoaming() override { return IsBoxChecked(IDC_ROAM); }
    bool IsLastDialEnabled() override { return IsBoxChecked(IDC_LAST_DIAL); }
    bool IsVoiceRecognitionEnabled() override { return IsBoxChecked(IDC_VOICE_RECOGNITION); }
    void SetVoiceRecognitionCheck(bool bChecked) override {
        SetBoxCheck(IDC_VOICE_RECOGNITION, bChecked);
    }

    RequestFlags& GetRequestFlags() override { return m_bRequest; }

  protected:
    static constexpr std::size_t kWholeText = std::u16string::npos;

    // A field's text; a binding may stop after nMaxUnits code units.
    virtual WideText ReadFieldText(int nId, std::size_t nMaxUnits) = 0;
    virtual void WriteFieldText(int nId, const WideText& text) = 0;
    // True for any state but unchecked.
    virtual bool IsBoxChecked(int nId) = 0;
    // Sets the state from code: no request is raised.
    virtual void SetBoxCheck(int nId, bool bChecked) = 0;

    RequestFlags m_bRequest;

  private:
    std::uint32_t ReadFieldNumber(int nId) {
        return ParsePanelNumber(ReadFieldText(nId, kWholeText));
    }
};

}  // namespace sonvik
