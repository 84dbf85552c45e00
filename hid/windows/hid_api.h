#pragma once

// clang-format off
#include <windows.h>
#include <hidsdi.h>
#include <hidpi.h>
// clang-format on

#include <functional>

namespace sonvik::windows_hid {

// The nine entry points of hid.dll, in the order they are resolved and tested. The program does
// not link against hid.dll: it loads it at run time and binds these by name. Three of them are
// bound but never called; a hid.dll without them is still reported as incomplete.
struct HidApi {
    decltype(&::HidD_GetHidGuid) pGetHidGuid = nullptr;
    decltype(&::HidD_GetAttributes) pGetAttributes = nullptr;
    decltype(&::HidD_SetFeature) pSetFeature = nullptr;
    decltype(&::HidD_GetFeature) pGetFeature = nullptr;
    decltype(&::HidD_GetProductString) pGetProductString = nullptr;
    decltype(&::HidD_SetOutputReport) pSetOutputReport = nullptr;
    decltype(&::HidD_GetInputReport) pGetInputReport = nullptr;
    decltype(&::HidD_GetPreparsedData) pGetPreparsedData = nullptr;
    decltype(&::HidP_GetCaps) pGetCaps = nullptr;
    // Not one of the nine: handed back together with the preparsed data it frees.
    decltype(&::HidD_FreePreparsedData) pFreePreparsedData = nullptr;
};

// The process's table: filled once at start-up, before the worker starts, then only read.
HidApi& GetHidApi();

// Loads "hid.dll" for the life of the process; writes "Failed to open hid.dll" when it cannot.
HMODULE LoadHidLibrary();

// Looks an entry point up by its 8-bit name; null when it is missing.
using ResolveEntry = std::function<FARPROC(const char* pszName)>;

// Fills the table's entries from resolve, in order. True when all nine were found; otherwise
// writes "Failed to obtain process address for some HID function" and keeps what was found.
bool BindHidEntries(HidApi& api, const ResolveEntry& resolve);

// The same, from a loaded module.
bool BindHidModule(HidApi& api, HMODULE hModule);

}  // namespace sonvik::windows_hid
