#pragma once

#include <windows.h>

#include "common/dongle_device.h"

namespace sonvik::windows_hid {

// The core keeps handles as integers; INVALID_HANDLE_VALUE and kInvalidDeviceHandle share one
// bit pattern, so the conversion is exact both ways.
inline HANDLE ToHandle(DeviceHandle hDevice) {
    return reinterpret_cast<HANDLE>(hDevice);
}

inline DeviceHandle ToDeviceHandle(HANDLE hHandle) {
    return reinterpret_cast<DeviceHandle>(hHandle);
}

}  // namespace sonvik::windows_hid
