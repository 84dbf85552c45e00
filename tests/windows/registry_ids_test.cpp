// The USB IDs from Wine's registry, under the key the program reads.
#include "app/win32/registry_ids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace sonvik::win32 {
namespace {

struct Value {
    const wchar_t* pszName;
    DWORD nType;
    std::vector<BYTE> data;
};

struct Case {
    const char* pszName;
    bool bKey;
    std::vector<Value> values;
    std::optional<std::uint32_t> vendorId;
    std::optional<std::uint32_t> productId;
};

std::vector<BYTE> Bytes(std::uint64_t nValue, std::size_t nSize) {
    std::vector<BYTE> data;
    for (std::size_t i = 0; i < nSize; ++i) {
        data.push_back(static_cast<BYTE>(nValue >> (8 * i)));
    }
    return data;
}

void DeleteBothViews() {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRegistryKeyPath, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRegistryKeyPath, KEY_WOW64_32KEY, 0);
}

class RegistryIds : public ::testing::Test {
  protected:
    void SetUp() override { DeleteBothViews(); }
    void TearDown() override { DeleteBothViews(); }

    static bool Write(const std::vector<Value>& values, REGSAM nView = KEY_WOW64_64KEY) {
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKeyPath, 0, nullptr, 0, KEY_WRITE | nView,
                            nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        bool bWritten = true;
        for (const Value& value : values) {
            bWritten &= RegSetValueExW(hKey, value.pszName, 0, value.nType, value.data.data(),
                                       static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
        }
        RegCloseKey(hKey);
        return bWritten;
    }
};

TEST_F(RegistryIds, EachValueIsReadAsFourLittleEndianBytesWhateverItsType) {
    const std::vector<BYTE> one{'1', 0, 0, 0};  // "1" and its terminator in UTF-16
    const Case cases[] = {
        {"no key", false, {}, std::nullopt, std::nullopt},
        {"a key with no values", true, {}, std::nullopt, std::nullopt},
        {"vid only, as a DWORD",
         true,
         {{L"vid", REG_DWORD, Bytes(0x0A5C, 4)}},
         0x0A5C,
         std::nullopt},
        {"both as DWORDs",
         true,
         {{L"vid", REG_DWORD, Bytes(0x1234, 4)}, {L"pid", REG_DWORD, Bytes(0x5678, 4)}},
         0x1234,
         0x5678},
        {"pid as the string 1", true, {{L"pid", REG_SZ, one}}, std::nullopt, 49},
        {"pid as a 64-bit value",
         true,
         {{L"pid", REG_QWORD, Bytes(0x1004, 8)}},
         std::nullopt,
         std::nullopt},
        {"pid as a longer string",
         true,
         {{L"pid", REG_SZ, {'1', 0, '2', 0, 0, 0}}},
         std::nullopt,
         std::nullopt},
        {"pid in two bytes: the rest are 0",
         true,
         {{L"pid", REG_BINARY, {0x34, 0x12}}},
         std::nullopt,
         0x1234},
        {"vid above 16 bits is kept as it is",
         true,
         {{L"vid", REG_DWORD, Bytes(0x10A12, 4)}},
         0x10A12,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        DeleteBothViews();
        if (c.bKey) {
            ASSERT_TRUE(Write(c.values));
        }
        const ConfigFile ids = ReadRegistryUsbIds();
        EXPECT_EQ(ids.vendorId, c.vendorId);
        EXPECT_EQ(ids.productId, c.productId);
    }
}

TEST_F(RegistryIds, TheThirtyTwoBitViewIsReadOnlyWhenTheSixtyFourBitViewHasNoKey) {
    ASSERT_TRUE(Write({{L"vid", REG_DWORD, Bytes(0x3333, 4)}}, KEY_WOW64_32KEY));
    EXPECT_EQ(ReadRegistryUsbIds().vendorId, 0x3333u);
    ASSERT_TRUE(Write({{L"pid", REG_DWORD, Bytes(0x4444, 4)}}));
    const ConfigFile ids = ReadRegistryUsbIds();
    EXPECT_EQ(ids.vendorId, std::nullopt);
    EXPECT_EQ(ids.productId, 0x4444u);
}

TEST_F(RegistryIds, TheCommandLineWinsOverTheRegistryAndTheRegistryOverTheDefaults) {
    ASSERT_TRUE(Write({{L"vid", REG_DWORD, Bytes(0x1111, 4)}}));
    const UsbIds defaults{0x0A12, 0x1004};
    CommandLine options;
    UsbIds ids = ChooseUsbIds(options, ReadRegistryUsbIds(), defaults);
    EXPECT_EQ(ids.nVendorId, 0x1111u);
    EXPECT_EQ(ids.nProductId, 0x1004u);
    options.vendorId = 0x2222;
    ids = ChooseUsbIds(options, ReadRegistryUsbIds(), defaults);
    EXPECT_EQ(ids.nVendorId, 0x2222u);
}

}  // namespace
}  // namespace sonvik::win32
