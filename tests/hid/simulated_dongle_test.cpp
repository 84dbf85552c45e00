#include "hid/simulated/simulated_dongle.h"

#include <gtest/gtest.h>

#include <thread>

#include "poll/poll_fixture.h"
#include "support/report_builder.h"

namespace sonvik {
namespace {

using test::InstantDongle;
using test::kTestVendorId;
using test::Report;

DongleDevice Wanted() {
    return {kTestVendorId, kDefaultProductId, kInvalidDeviceHandle};
}

TEST(SimulatedDongle, IsFoundOnlyByItsIdsWhilePlugged) {
    CSimulatedDongle dongle(InstantDongle(false));
    DongleDevice device = Wanted();
    EXPECT_FALSE(dongle.FindDongle(device));
    dongle.Plug();
    for (auto [nVendor, nProduct] : {std::pair{kTestVendorId + 1, kDefaultProductId},
                                     std::pair{kTestVendorId, kDefaultProductId + 0x10000}}) {
        DongleDevice other{nVendor, nProduct, kInvalidDeviceHandle};
        EXPECT_FALSE(dongle.FindDongle(other));
        EXPECT_EQ(other.m_hDevice, kInvalidDeviceHandle);
    }
    EXPECT_TRUE(dongle.FindDongle(device));
    EXPECT_NE(device.m_hDevice, kInvalidDeviceHandle);
}

TEST(SimulatedDongle, AnUnpluggedHandleNeverWorksAgain) {
    CSimulatedDongle dongle(InstantDongle());
    DongleDevice device = Wanted();
    ASSERT_TRUE(dongle.FindDongle(device));
    WideText name;
    EXPECT_TRUE(dongle.ReadProductString(device, name));
    EXPECT_EQ(name, u"Test Dongle");

    dongle.Unplug();
    EXPECT_FALSE(dongle.ReadProductString(device, name));
    EXPECT_FALSE(dongle.SendReport(device, Report({2, 0, 1})));
    dongle.Plug();
    DongleDevice again = Wanted();
    ASSERT_TRUE(dongle.FindDongle(again));
    EXPECT_NE(again.m_hDevice, device.m_hDevice);
    EXPECT_FALSE(dongle.SendReport(device, Report({2, 0, 1})));
    EXPECT_TRUE(dongle.SendReport(again, Report({2, 0, 0})));
    EXPECT_EQ(dongle.SentReports(), std::vector{Report({2, 0, 0})});
}

TEST(SimulatedDongle, FailsExactlyOneNameReadWhenTold) {
    auto options = InstantDongle();
    options.productName = u"A name much longer than twenty-five units";
    CSimulatedDongle dongle(options);
    DongleDevice device = Wanted();
    ASSERT_TRUE(dongle.FindDongle(device));
    dongle.FailNextNameRead();
    WideText name = u"kept";
    EXPECT_FALSE(dongle.ReadProductString(device, name));
    EXPECT_EQ(name, u"kept");
    EXPECT_TRUE(dongle.ReadProductString(device, name));
    EXPECT_EQ(name, u"A name much longer than t");
}

TEST(SimulatedDongle, ReadsQueuedReportsInOrderAndLeavesTheEventAloneOtherwise) {
    CSimulatedDongle dongle(InstantDongle());
    DongleDevice device = Wanted();
    ASSERT_TRUE(dongle.FindDongle(device));
    DongleEvent event;
    event.Command = 99;
    EXPECT_FALSE(dongle.ReadDongleEvent(device, event));
    EXPECT_EQ(event.Command, 99);

    dongle.QueueInputReport(Report({2, 0, 3}));
    dongle.QueueInputReport(Report({2, 2, 1}));
    ASSERT_TRUE(dongle.ReadDongleEvent(device, event));
    EXPECT_EQ(event.Command, 0);
    EXPECT_EQ(event.Payload[0], 3);
    ASSERT_TRUE(dongle.ReadDongleEvent(device, event));
    EXPECT_EQ(event.Command, 2);
    EXPECT_FALSE(dongle.ReadDongleEvent(DongleDevice{}, event));
}

TEST(SimulatedDongle, ATimedReadEndsAsSoonAsAReportIsQueued) {
    auto options = InstantDongle();
    options.readWait = std::chrono::hours(1);  // a missed wake-up shows as a test time-out
    CSimulatedDongle dongle(options);
    DongleDevice device = Wanted();
    ASSERT_TRUE(dongle.FindDongle(device));
    std::thread hf([&] { dongle.QueueInputReport(Report({2, 1, HfAnswer})); });
    DongleEvent event;
    EXPECT_TRUE(dongle.ReadDongleEvent(device, event));
    EXPECT_EQ(event.Command, HandsFreeRequest);
    hf.join();
}

TEST(SimulatedDongle, TellsItsListenerOfEveryDeliveredReport) {
    CSimulatedDongle dongle(InstantDongle());
    std::vector<DongleReport> heard;
    dongle.SetReportListener([&](const DongleReport& report) { heard.push_back(report); });
    DongleDevice device = Wanted();
    EXPECT_FALSE(dongle.SendReport(device, Report({2, 0, 1})));
    ASSERT_TRUE(dongle.FindDongle(device));
    EXPECT_TRUE(dongle.SendReport(device, Report({2, 0, 1})));
    EXPECT_EQ(heard, std::vector{Report({2, 0, 1})});
}

}  // namespace
}  // namespace sonvik
