#include "app/string_table.h"

#include <gtest/gtest.h>

namespace sonvik {
namespace {

TEST(StringTable, HoldsEveryIdFrom129To173AndNothingElse) {
    const auto table = GetStringTable();
    ASSERT_EQ(table.size(), 45u);
    for (unsigned nId = 129; nId <= 173; ++nId) {
        EXPECT_EQ(table[nId - 129].nId, nId);
        EXPECT_FALSE(LoadStringText(nId).empty()) << nId;
    }
    EXPECT_EQ(LoadStringText(128), u"");
    EXPECT_EQ(LoadStringText(174), u"");
    EXPECT_EQ(LoadStringText(0), u"");
}

TEST(StringTable, LooksUpByNumber) {
    EXPECT_EQ(LoadStringText(135), u"Searching for USB Device");
    EXPECT_EQ(LoadStringText(160), u"(e)SCO Audio State");
    EXPECT_EQ(LoadStringText(162), u"USB Dongle PELKO 2.5 Host Application");
    EXPECT_EQ(LoadStringText(173), u"Voice Recognition Enable");
}

}  // namespace
}  // namespace sonvik
