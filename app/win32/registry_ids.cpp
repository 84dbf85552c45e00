#include "app/win32/registry_ids.h"

#include <array>

namespace sonvik::win32 {

namespace {

std::optional<std::uint32_t> QueryNumber(HKEY hKey, LPCWSTR pszName) {
    std::array<BYTE, 4> data{};
    DWORD nSize = sizeof(data);
    if (RegQueryValueExW(hKey, pszName, nullptr, nullptr, data.data(), &nSize) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16 |
           std::uint32_t{data[3]} << 24;
}

}  // namespace

ConfigFile ReadRegistryUsbIds(HKEY hRoot, LPCWSTR pszPath) {
    ConfigFile ids;
    HKEY hKey = nullptr;
    // Values set for a 32-bit host program sit in the registry's 32-bit view; they are read
    // there when the 64-bit view has no such key.
    if (RegOpenKeyExW(hRoot, pszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS &&
        RegOpenKeyExW(hRoot, pszPath, 0, KEY_READ | KEY_WOW64_32KEY, &hKey) != ERROR_SUCCESS) {
        return ids;
    }
    ids.vendorId = QueryNumber(hKey, L"vid");
    ids.productId = QueryNumber(hKey, L"pid");
    RegCloseKey(hKey);
    return ids;
}

}  // namespace sonvik::win32
