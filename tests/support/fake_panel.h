#pragma once

#include <string>
#include <vector>

#include "app/panel.h"

namespace sonvik::test {

// A panel whose values the test sets directly and whose text fields record what was written.
class FakePanel : public IPanel {
  public:
    void SetUsbNameText(const WideText& text) override { m_usbName.push_back(text); }
    void SetDongleStateText(const WideText& text) override { m_dongleState.push_back(text); }
    void SetCallStateText(const WideText& text) override { m_callState.push_back(text); }
    void SetAudioStateText(const WideText& text) override { m_audioState.push_back(text); }
    std::uint32_t GetSignalStrength() override { return m_nSignal; }
    std::uint32_t GetBatteryLevel() override { return m_nBattery; }
    std::uint32_t GetMemoryDialLocation() override { return m_nMemoryLocation; }
    WideText GetNetworkOperator() override { return m_operator; }
    bool IsNetworkAvailable() override { return m_bAvailable; }
    bool IsRoaming() override { return m_bRoaming; }
    bool IsLastDialEnabled() override { return m_bLastDial; }
    bool IsVoiceRecognitionEnabled() override { return m_bVoiceRecognition; }
    void SetVoiceRecognitionCheck(bool bChecked) override { m_bVoiceRecognition = bChecked; }
    RequestFlags& GetRequestFlags() override { return m_bRequest; }

    std::uint32_t m_nSignal = 0;
    std::uint32_t m_nBattery = 0;
    std::uint32_t m_nMemoryLocation = 0;
    WideText m_operator;
    bool m_bAvailable = false;
    bool m_bRoaming = false;
    bool m_bLastDial = false;
    bool m_bVoiceRecognition = false;
    RequestFlags m_bRequest;
    std::vector<WideText> m_usbName, m_dongleState, m_callState, m_audioState;
};

}  // namespace sonvik::test
