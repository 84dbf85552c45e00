#include "app/win32/framework/resource_string.h"

#include <windows.h>

namespace sonvik::win32 {

WideText LoadResourceString(unsigned nId) {
    // With a zero length the call hands out where the string sits in the resources.
    const wchar_t* pszText = nullptr;
    const int nLength =
        LoadStringW(GetModuleHandleW(nullptr), nId, reinterpret_cast<LPWSTR>(&pszText), 0);
    if (nLength <= 0 || pszText == nullptr) {
        return {};
    }
    return WideText(pszText, pszText + nLength);
}

}  // namespace sonvik::win32
