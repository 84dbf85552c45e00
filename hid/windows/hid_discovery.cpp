#include "hid/windows/hid_discovery.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include "hid/dongle_recognition.h"
#include "hid/windows/win_handle.h"

namespace sonvik::windows_hid {

namespace {

constexpr DWORD kPresentInterfaces = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;  // 18

// The interface's path, opened at once; the path's buffer goes whatever the outcome.
HANDLE OpenInterface(HDEVINFO hInfoSet, SP_DEVICE_INTERFACE_DATA& interfaceData) {
    DWORD nRequired = 0;
    SetupDiGetDeviceInterfaceDetailW(hInfoSet, &interfaceData, nullptr, 0, &nRequired, nullptr);
    if (nRequired < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE hHeap = GetProcessHeap();
    auto* pDetail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(
        HeapAlloc(hHeap, HEAP_ZERO_MEMORY, nRequired));
    if (pDetail == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    HANDLE hInterface = INVALID_HANDLE_VALUE;
    if (SetupDiGetDeviceInterfaceDetailW(hInfoSet, &interfaceData, pDetail, nRequired, nullptr,
                                         nullptr)) {
        hInterface = CreateFileW(pDetail->DevicePath, GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
    }
    HeapFree(hHeap, 0, pDetail);
    return hInterface;
}

// The top-level collection's usage page and usage; false when they cannot be read.
bool ReadCollection(const HidApi& api, HANDLE hInterface, HIDP_CAPS& caps) {
    if (api.pGetPreparsedData == nullptr || api.pGetCaps == nullptr) {
        return false;
    }
    PHIDP_PREPARSED_DATA pPreparsed = nullptr;
    if (!api.pGetPreparsedData(hInterface, &pPreparsed)) {
        return false;
    }
    const NTSTATUS nStatus = api.pGetCaps(pPreparsed, &caps);
    // Held only until the capabilities are read; discovery runs every 250 ms while searching.
    if (api.pFreePreparsedData != nullptr) {
        api.pFreePreparsedData(pPreparsed);
    }
    return nStatus == HIDP_STATUS_SUCCESS;
}

// Vendor ID, product ID, usage, usage page: tested in that order.
bool IsDongle(const HidApi& api, HANDLE hInterface, const DongleDevice& device) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (api.pGetAttributes == nullptr || !api.pGetAttributes(hInterface, &attributes)) {
        return false;
    }
    if (!HasDongleIds(attributes.VendorID, attributes.ProductID, device.m_nVendorId,
                      device.m_nProductId)) {
        return false;
    }
    HIDP_CAPS caps{};
    return ReadCollection(api, hInterface, caps) && IsDongleCollection(caps.UsagePage, caps.Usage);
}

}  // namespace

bool FindDongleInterface(const HidApi& api, DongleDevice& device) {
    if (api.pGetHidGuid == nullptr) {
        return false;
    }
    GUID hidClass{};
    api.pGetHidGuid(&hidClass);
    const HDEVINFO hInfoSet = SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, kPresentInterfaces);
    if (hInfoSet == INVALID_HANDLE_VALUE) {
        return false;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD nIndex = 0;
         SetupDiEnumDeviceInterfaces(hInfoSet, nullptr, &hidClass, nIndex, &interfaceData);
         ++nIndex) {
        const HANDLE hInterface = OpenInterface(hInfoSet, interfaceData);
        if (hInterface == INVALID_HANDLE_VALUE) {
            continue;  // held by another without sharing, or not ours to write: passed over
        }
        if (IsDongle(api, hInterface, device)) {
            SetupDiDestroyDeviceInfoList(hInfoSet);
            device.m_hDevice = ToDeviceHandle(hInterface);
            return true;
        }
        CloseHandle(hInterface);
    }
    SetupDiDestroyDeviceInfoList(hInfoSet);
    return false;
}

}  // namespace sonvik::windows_hid
