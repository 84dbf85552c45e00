#pragma once

#include "app/dialog_panel.h"

namespace sonvik::test {

// A panel with fixed values that keeps nothing it is told, and a modal run that ends at once:
// for runs of many cycles.
class NullPanel : public IDialogPanel {
  public:
    void DoModal() override {}
    void SetUsbNameText(const WideText&) override {}
    void SetDongleStateText(const WideText&) override {}
    void SetCallStateText(const WideText&) override {}
    void SetAudioStateText(const WideText&) override {}
    std::uint32_t GetSignalStrength() override { return 5; }
    std::uint32_t GetBatteryLevel() override { return 5; }
    std::uint32_t GetMemoryDialLocation() override { return 1; }
    WideText GetNetworkOperator() override { return u"Sonvik"; }
    bool IsNetworkAvailable() override { return true; }
    bool IsRoaming() override { return false; }
    bool IsLastDialEnabled() override { return true; }
    bool IsVoiceRecognitionEnabled() override { return false; }
    void SetVoiceRecognitionCheck(bool) override {}
    RequestFlags& GetRequestFlags() override { return m_bRequest; }

    RequestFlags m_bRequest;
};

}  // namespace sonvik::test
