#include "app/panel_layout.h"

#include <algorithm>
#include <iterator>

namespace sonvik {

namespace {

constexpr ControlItem kControls[] = {
#define SONVIK_CONTROL(kind, id, x, y, cx, cy, text, stringId) \
    {kind, id, x, y, cx, cy, u"" text, stringId},
#include "app/panel_controls.def"
#undef SONVIK_CONTROL
};

constexpr unsigned kInitialTextOrder[] = {129, 130, 141, 131, 132, 142, 155, 157, 160, 168,
                                          167, 169, 173, 133, 134, 148, 149, 150, 151, 147,
                                          152, 153, 156, 158, 159, 163, 165, 164, 171};

constexpr InitialNumber kInitialNumbers[] = {
    {IDC_SIGNAL, 5}, {IDC_BATTERY, 5}, {IDC_MEMORY_LOCATION, 1}};

// The roaming box keeps the unchecked state it is created with.
constexpr InitialCheck kInitialChecks[] = {
    {IDC_AVAILABLE, true}, {IDC_LAST_DIAL, true}, {IDC_VOICE_RECOGNITION, false}};

constexpr int kRequestControls[kPanelRequestCount] = {1014, 1015, 1016, 1017, 1018, 1019,
                                                      1020, 1021, 1006, 1007, 1023, 1026,
                                                      1011, 1027, 1033, 1034, 1037, 1039};

// MulDiv's rounding: to the nearest, halves away from zero.
int MulDivRounded(int nValue, int nNumerator, int nDenominator) {
    const long long nProduct = static_cast<long long>(nValue) * nNumerator;
    const long long nHalf = nDenominator / 2;
    return static_cast<int>((nProduct >= 0 ? nProduct + nHalf : nProduct - nHalf) / nDenominator);
}

}  // namespace

std::span<const ControlItem> GetPanelControls() {
    return kControls;
}

const ControlItem* FindPanelControl(int nId) {
    const auto* pFound = std::find_if(std::begin(kControls), std::end(kControls),
                                      [&](const ControlItem& c) { return c.nId == nId; });
    return pFound != std::end(kControls) ? pFound : nullptr;
}

std::span<const unsigned> GetInitialTextOrder() {
    return kInitialTextOrder;
}

const ControlItem* FindControlOfString(unsigned nStringId) {
    const auto* pFound =
        std::find_if(std::begin(kControls), std::end(kControls),
                     [&](const ControlItem& c) { return c.nStringId == nStringId; });
    return pFound != std::end(kControls) ? pFound : nullptr;
}

std::span<const InitialNumber> GetInitialNumbers() {
    return kInitialNumbers;
}

std::span<const InitialCheck> GetInitialChecks() {
    return kInitialChecks;
}

int GetRequestControlId(PanelRequest nRequest) {
    return kRequestControls[static_cast<std::size_t>(nRequest)];
}

int FindRequestOfControl(int nId) {
    const auto* pFound = std::find(std::begin(kRequestControls), std::end(kRequestControls), nId);
    return pFound != std::end(kRequestControls)
               ? static_cast<int>(pFound - std::begin(kRequestControls))
               : -1;
}

std::uint32_t ParsePanelNumber(std::u16string_view text) {
    std::size_t nPos = 0;
    while (nPos < text.size() && text[nPos] == u' ') {
        ++nPos;
    }
    if (nPos == text.size()) {
        return 0;
    }
    std::uint64_t nValue = 0;
    for (; nPos < text.size(); ++nPos) {
        const char16_t c = text[nPos];
        if (c < u'0' || c > u'9') {
            return 0;
        }
        nValue = nValue * 10 + static_cast<std::uint64_t>(c - u'0');
        if (nValue > 0xFFFFFFFFu) {
            return 0;
        }
    }
    return static_cast<std::uint32_t>(nValue);
}

WideText TruncateOperatorName(std::u16string_view text) {
    return WideText(text.substr(0, std::min(text.size(), kMaxOperatorLength)));
}

PixelRect MapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits base) {
    return {MulDivRounded(x, base.cx, 4), MulDivRounded(y, base.cy, 8),
            MulDivRounded(cx, base.cx, 4), MulDivRounded(cy, base.cy, 8)};
}

}  // namespace sonvik
