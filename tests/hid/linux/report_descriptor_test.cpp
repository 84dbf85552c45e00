#include "hid/linux/report_descriptor.h"

#include <gtest/gtest.h>

#include "fake_sysfs.h"

namespace sonvik::linux_hid {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Collections = std::vector<std::pair<int, int>>;

Collections Parse(const Bytes& descriptor) {
    Collections found;
    for (const auto& c : ParseTopLevelCollections(descriptor)) {
        found.emplace_back(c.nUsagePage, c.nUsage);
    }
    return found;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

TEST(ReportDescriptor, TopLevelApplicationCollections) {
    const auto& kDongle = test::kDongleDescriptor;
    const auto& kKeyboard = test::kKeyboardDescriptor;
    const struct {
        const char* pszName;
        Bytes descriptor;
        Collections expected;
    } kCases[] = {
        {"the dongle's", kDongle, {{0xFFA0, 1}}},
        {"several, in order", Join({kKeyboard, kDongle}), {{0x01, 6}, {0xFFA0, 1}}},
        {"nested ones do not count",
         {0x06, 0xA0, 0xFF, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x01, 0xC0, 0xC0},
         {{0xFFA0, 2}}},
        {"a physical collection is no application",
         {0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x00, 0xC0},
         {}},
        {"long items are skipped", Join({{0xFE, 0x02, 0x10, 0xA1, 0x01}, kDongle}), {{0xFFA0, 1}}},
        {"a four-byte usage carries its page",
         {0x0B, 0x01, 0x00, 0xA0, 0xFF, 0xA1, 0x01, 0xC0},
         {{0xFFA0, 1}}},
        {"the first usage names the collection",
         {0x06, 0xA0, 0xFF, 0x09, 0x01, 0x09, 0x05, 0xA1, 0x01, 0xC0},
         {{0xFFA0, 1}}},
        {"usages end at a main item",
         {0x06, 0xA0, 0xFF, 0x09, 0x01, 0x81, 0x02, 0xA1, 0x01, 0xC0},
         {{0xFFA0, 0}}},
        {"push and pop",
         {0x06, 0xA0, 0xFF, 0xA4, 0x05, 0x01, 0xB4, 0x09, 0x01, 0xA1, 0x01, 0xC0},
         {{0xFFA0, 1}}},
        {"cut after a collection keeps it",
         Join({kKeyboard, {0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x26, 0xFF}}),
         {{0x01, 6}, {0xFFA0, 1}}},
        {"cut inside an item", {0x06, 0xA0}, {}},
        {"cut inside a long item", {0xFE, 0x20, 0x10, 0x00}, {}},
        {"lone long-item prefix", {0xFE}, {}},
        {"empty", {}, {}},
        {"unbalanced end collections", Join({{0xC0, 0xC0}, kDongle}), {{0xFFA0, 1}}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Parse(c.descriptor), c.expected) << c.pszName;
    }
}

}  // namespace
}  // namespace sonvik::linux_hid
