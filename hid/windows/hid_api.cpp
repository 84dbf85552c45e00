#include "hid/windows/hid_api.h"

#include "common/debug_output.h"

namespace sonvik::windows_hid {

namespace {

template <typename Entry>
bool Resolve(const ResolveEntry& resolve, const char* pszName, Entry& entry) {
    // Function pointers of different types convert through a generic one without a warning.
    entry = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(resolve(pszName)));
    return entry != nullptr;
}

}  // namespace

HidApi& GetHidApi() {
    static HidApi api;
    return api;
}

HMODULE LoadHidLibrary() {
    const HMODULE hModule = LoadLibraryW(L"hid.dll");
    if (hModule == nullptr) {
        DebugWrite("Failed to open hid.dll\n");
    }
    return hModule;
}

bool BindHidEntries(HidApi& api, const ResolveEntry& resolve) {
    // Every entry is resolved even after one is missing, so that the rest stay usable.
    bool bComplete = Resolve(resolve, "HidD_GetHidGuid", api.pGetHidGuid);
    bComplete &= Resolve(resolve, "HidD_GetAttributes", api.pGetAttributes);
    bComplete &= Resolve(resolve, "HidD_SetFeature", api.pSetFeature);
    bComplete &= Resolve(resolve, "HidD_GetFeature", api.pGetFeature);
    bComplete &= Resolve(resolve, "HidD_GetProductString", api.pGetProductString);
    bComplete &= Resolve(resolve, "HidD_SetOutputReport", api.pSetOutputReport);
    bComplete &= Resolve(resolve, "HidD_GetInputReport", api.pGetInputReport);
    bComplete &= Resolve(resolve, "HidD_GetPreparsedData", api.pGetPreparsedData);
    bComplete &= Resolve(resolve, "HidP_GetCaps", api.pGetCaps);
    Resolve(resolve, "HidD_FreePreparsedData", api.pFreePreparsedData);
    if (!bComplete) {
        DebugWrite("Failed to obtain process address for some HID function\n");
    }
    return bComplete;
}

bool BindHidModule(HidApi& api, HMODULE hModule) {
    return BindHidEntries(
        api, [hModule](const char* pszName) { return GetProcAddress(hModule, pszName); });
}

}  // namespace sonvik::windows_hid
