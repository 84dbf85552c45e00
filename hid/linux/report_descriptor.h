#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sonvik::linux_hid {

// A top-level application collection: what Windows would make one HID interface of.
struct TopLevelCollection {
    std::uint16_t nUsagePage = 0;
    std::uint16_t nUsage = 0;
};

// The top-level application collections of a HID report descriptor, in order. Nested
// collections do not count. A truncated descriptor yields the collections before the cut.
std::vector<TopLevelCollection> ParseTopLevelCollections(std::span<const std::uint8_t> descriptor);

}  // namespace sonvik::linux_hid
