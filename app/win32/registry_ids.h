#pragma once

#include <windows.h>

#include "app/command_line.h"

namespace sonvik::win32 {

// Where the USB IDs can be set: HKEY_LOCAL_MACHINE\SOFTWARE\VEXMOR\DONGLE PELKO 2.0 HOST\, values
// vid and pid; in the registry's 32-bit view when the 64-bit one has no such key. The program
// only reads them.
inline constexpr const wchar_t* kRegistryKeyPath = L"SOFTWARE\\VEXMOR\\DONGLE PELKO 2.0 HOST\\";

// Each value is read as a 32-bit little-endian number, whatever its registry type: data longer
// than 4 bytes leave it unset, shorter data are read with the bytes they do not fill as 0 (so a
// string "1" becomes 49).
ConfigFile ReadRegistryUsbIds(HKEY hRoot = HKEY_LOCAL_MACHINE, LPCWSTR pszPath = kRegistryKeyPath);

}  // namespace sonvik::win32
