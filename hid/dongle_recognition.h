#pragma once

#include <cstddef>
#include <cstdint>

namespace sonvik {

// How the dongle's command channel is told apart from every other HID interface: the configured
// IDs, and a top-level collection of the vendor page 0xFFA0 with usage 1. Every transport
// binding recognises it the same way.
inline constexpr std::uint16_t kDongleUsagePage = 0xFFA0;
inline constexpr std::uint16_t kDongleUsage = 1;

// The longest product name a transport hands out, in UTF-16 code units.
inline constexpr std::size_t kMaxProductNameLength = 25;

// The interface's 16-bit IDs, widened, against the configured 32-bit ones: a configured ID
// above 0xFFFF matches nothing.
constexpr bool HasDongleIds(std::uint16_t nVendorId, std::uint16_t nProductId,
                            std::uint32_t nWantedVendorId, std::uint32_t nWantedProductId) {
    return std::uint32_t{nVendorId} == nWantedVendorId &&
           std::uint32_t{nProductId} == nWantedProductId;
}

constexpr bool IsDongleCollection(std::uint16_t nUsagePage, std::uint16_t nUsage) {
    return nUsage == kDongleUsage && nUsagePage == kDongleUsagePage;
}

}  // namespace sonvik
