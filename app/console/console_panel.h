#pragma once

#include "common/wide_text.h"

namespace sonvik {

// The operator's side of the panel, as a script reaches it: what the mouse and the keyboard
// would do. Safe from any thread; each answers false when the window does not exist.
class IConsolePanel {
  public:
    virtual ~IConsolePanel() = default;
    virtual bool ClickControl(int nId) = 0;
    virtual bool SetControlText(int nId, const WideText& text) = 0;
    virtual bool SetCheck(int nId, bool bChecked) = 0;
    virtual WideText GetControlText(int nId) = 0;
    virtual bool CloseWindow() = 0;
};

}  // namespace sonvik
