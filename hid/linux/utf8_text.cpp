#include "hid/linux/utf8_text.h"

#include <cstdint>

namespace sonvik::linux_hid {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at nPos and advances past it.
char32_t DecodeOne(std::string_view s, std::size_t& nPos) {
    const auto nLead = static_cast<unsigned char>(s[nPos++]);
    if (nLead < 0x80) {
        return nLead;
    }
    int nTrail = 0;
    char32_t cValue = 0;
    char32_t cMin = 0;
    if ((nLead & 0xE0) == 0xC0) {
        nTrail = 1, cValue = nLead & 0x1Fu, cMin = 0x80;
    } else if ((nLead & 0xF0) == 0xE0) {
        nTrail = 2, cValue = nLead & 0x0Fu, cMin = 0x800;
    } else if ((nLead & 0xF8) == 0xF0) {
        nTrail = 3, cValue = nLead & 0x07u, cMin = 0x10000;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < nTrail; ++i) {
        if (nPos >= s.size() || (static_cast<unsigned char>(s[nPos]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        cValue = (cValue << 6) | (static_cast<unsigned char>(s[nPos++]) & 0x3Fu);
    }
    const bool bSurrogate = cValue >= 0xD800 && cValue <= 0xDFFF;
    return cValue < cMin || cValue > 0x10FFFF || bSurrogate ? kReplacement : cValue;
}

}  // namespace

WideText Utf8ToWide(std::string_view utf8, std::size_t nMaxUnits) {
    WideText text;
    std::size_t nPos = 0;
    while (nPos < utf8.size() && text.size() < nMaxUnits) {
        const char32_t c = DecodeOne(utf8, nPos);
        if (c < 0x10000) {
            text.push_back(static_cast<char16_t>(c));
        } else if (text.size() + 2 <= nMaxUnits) {
            const char32_t cOffset = c - 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (cOffset >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (cOffset & 0x3FF)));
        } else {
            break;
        }
    }
    return text;
}

}  // namespace sonvik::linux_hid
