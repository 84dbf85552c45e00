#pragma once

#include <cstdint>

#include "app/panel_request.h"
#include "common/wide_text.h"

namespace sonvik {

// The seam between the core and the control panel. The poll loop and the phone call these from
// the worker thread. Each operation is complete when it returns, and harmless while the window
// does not exist: setters do nothing, getters give 0, empty text or false.
class IPanel {
  public:
    virtual ~IPanel() = default;

    virtual void SetUsbNameText(const WideText& text) = 0;
    virtual void SetDongleStateText(const WideText& text) = 0;
    virtual void SetCallStateText(const WideText& text) = 0;
    virtual void SetAudioStateText(const WideText& text) = 0;

    // A field's text as an unsigned 32-bit decimal, 0 when it holds none.
    virtual std::uint32_t GetSignalStrength() = 0;
    virtual std::uint32_t GetBatteryLevel() = 0;
    virtual std::uint32_t GetMemoryDialLocation() = 0;

    // At most the first 9 characters of the operator name.
    virtual WideText GetNetworkOperator() = 0;

    virtual bool IsNetworkAvailable() = 0;
    virtual bool IsRoaming() = 0;
    virtual bool IsLastDialEnabled() = 0;
    virtual bool IsVoiceRecognitionEnabled() = 0;
    virtual void SetVoiceRecognitionCheck(bool bChecked) = 0;

    // The operator's one-shot requests.
    virtual RequestFlags& GetRequestFlags() = 0;
};

}  // namespace sonvik
