// How every transport binding tells the dongle's command channel from other HID interfaces.
#include "hid/dongle_recognition.h"

#include <gtest/gtest.h>

namespace sonvik {
namespace {

TEST(DongleRecognition, TheIdsMatchWidenedAndOnlyTheVendorCollectionIsTheDongles) {
    EXPECT_TRUE(HasDongleIds(0x0A12, 0x1004, 0x0A12, 0x1004));
    EXPECT_FALSE(HasDongleIds(0x0A12, 0x1005, 0x0A12, 0x1004));
    EXPECT_FALSE(HasDongleIds(0x0A13, 0x1004, 0x0A12, 0x1004));
    // A configured ID above 16 bits, which the registry can hold, matches no device.
    EXPECT_FALSE(HasDongleIds(0x0A12, 0x1004, 0x1'0A12, 0x1004));
    EXPECT_FALSE(HasDongleIds(0x0A12, 0x1004, 0x0A12, 0xFFFF'1004));

    EXPECT_TRUE(IsDongleCollection(0xFFA0, 1));
    EXPECT_FALSE(IsDongleCollection(0xFFA0, 2));
    EXPECT_FALSE(IsDongleCollection(0xFF00, 1));
    EXPECT_FALSE(IsDongleCollection(1, 0xFFA0));
}

}  // namespace
}  // namespace sonvik
