#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/panel_request.h"
#include "common/wide_text.h"

namespace sonvik {

// What every panel binding builds its window from: the controls, the texts and values it starts
// with, and which control raises which request.
enum ControlKind : int {
    READONLY_EDIT,  // bordered single line the operator cannot change; scrolls sideways
    NUMBER_EDIT,    // the same, changeable, digits only from the keyboard
    EDIT,           // the same, any text
    STATIC_TEXT,    // left-aligned text that wraps
    PUSH_BUTTON,    // its text wraps onto several lines
    GROUP_BOX,      // a titled frame
    CHECK_BOX,      // toggles itself when clicked
};

struct ControlItem {
    ControlKind nKind;
    int nId;
    int x, y, cx, cy;  // dialog units
    const char16_t* pszTemplateText;
    unsigned nStringId;  // the text set at start-up, 0 to keep the template's
};

// The controls the panel operations reach.
enum ControlId : int {
    IDC_USB_NAME = 1000,
    IDC_DONGLE_STATE = 1003,
    IDC_CALL_STATE = 1005,
    IDC_AUDIO_STATE = 1013,
    IDC_SIGNAL = 1030,
    IDC_BATTERY = 1031,
    IDC_OPERATOR = 1032,
    IDC_AVAILABLE = 1033,
    IDC_ROAM = 1034,
    IDC_MEMORY_LOCATION = 1035,
    IDC_LAST_DIAL = 1036,
    IDC_VOICE_RECOGNITION = 1039,
};

inline constexpr int kDialogTemplateId = 102;
inline constexpr int kIconId = 128;
inline constexpr int kDialogWidth = 320;  // client area, dialog units
inline constexpr int kDialogHeight = 458;
inline constexpr std::size_t kMaxOperatorLength = 9;

// All controls in template order.
std::span<const ControlItem> GetPanelControls();
const ControlItem* FindPanelControl(int nId);

// The string IDs set at start-up, in the order they are set; each names its control's text.
std::span<const unsigned> GetInitialTextOrder();
const ControlItem* FindControlOfString(unsigned nStringId);

struct InitialNumber {
    int nId;
    std::uint32_t nValue;
};
struct InitialCheck {
    int nId;
    bool bChecked;
};
std::span<const InitialNumber> GetInitialNumbers();
std::span<const InitialCheck> GetInitialChecks();

// The control whose click raises a request, and the request a control's click raises (-1: none).
int GetRequestControlId(PanelRequest nRequest);
int FindRequestOfControl(int nId);

// A number field's text as an unsigned 32-bit decimal: leading blanks skipped, then digits to
// the end. Anything else, an empty text or a number past 32 bits gives 0.
std::uint32_t ParsePanelNumber(std::u16string_view text);

// The operator name as the panel hands it out: its first 9 code units.
WideText TruncateOperatorName(std::u16string_view text);

// Dialog units to pixels, rounded as the window system rounds them: base units are the dialog
// font's average character width and height.
struct DialogBaseUnits {
    int cx;
    int cy;
};
struct PixelRect {
    int x, y, cx, cy;
};
PixelRect MapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits base);

}  // namespace sonvik
