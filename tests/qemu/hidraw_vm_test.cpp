// Runs inside a small virtual machine with the real kernel HID stack: hid, uhid, hid-generic
// and hidraw. Each test makes virtual dongles with /dev/uhid and drives the hidraw binding and
// the poll loop over them, in real time.
#include <dirent.h>
#include <gtest/gtest.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <chrono>
#include <thread>
#include <utility>

#include "app/sonvik_app.h"
#include "hid/linux/fake_sysfs.h"
#include "hid/linux/hidraw_transport.h"
#include "phone/call_state_machine.h"
#include "poll/poll_loop.h"
#include "support/fake_panel.h"
#include "uhid_dongle.h"

namespace sonvik::vm {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;
using linux_hid::CHidrawTransport;

constexpr std::uint32_t kVendor = 0x0A12;
constexpr std::uint32_t kProduct = 0x1004;
const Bytes& kDongleDescriptor = linux_hid::test::kDongleDescriptor;
const Bytes& kKeyboardDescriptor = linux_hid::test::kKeyboardDescriptor;

Bytes Report(std::initializer_list<int> leading) {
    Bytes report(kReportSize, 0);
    std::size_t i = 0;
    for (int n : leading) {
        report[i++] = static_cast<std::uint8_t>(n);
    }
    return report;
}

std::size_t CountOpenFds() {
    std::size_t nCount = 0;
    if (DIR* pDir = ::opendir("/proc/self/fd")) {
        while (::readdir(pDir) != nullptr) {
            ++nCount;
        }
        ::closedir(pDir);
    }
    return nCount;
}

// hid-generic binds a new device, and so makes its hidraw node, a moment after creation.
bool FindWithin(CHidrawTransport& transport, DongleDevice& device,
                std::chrono::milliseconds wait = std::chrono::seconds(10)) {
    const auto deadline = Clock::now() + wait;
    while (!transport.FindDongle(device)) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

long MillisecondsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class HidrawVm : public ::testing::Test {
  protected:
    void SetUp() override { ResetCallState(); }
    void TearDown() override {
        if (m_device.m_hDevice != kInvalidDeviceHandle) {
            m_transport.CloseDongle(m_device.m_hDevice);
        }
        ResetCallState();
    }

    CHidrawTransport m_transport;
    DongleDevice m_device{kVendor, kProduct, kInvalidDeviceHandle};
};

TEST_F(HidrawVm, FindsTheDongleAmongAWrongProductAndAWrongUsagePage) {
    CUhidDongle wrongProduct("Wrong Product", kVendor, kProduct + 1, kDongleDescriptor);
    CUhidDongle wrongPage("Wrong Page", kVendor, kProduct, kKeyboardDescriptor);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(m_transport.FindDongle(m_device));
    EXPECT_EQ(m_device.m_hDevice, kInvalidDeviceHandle);

    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    WideText name;
    ASSERT_TRUE(m_transport.ReadProductString(m_device, name));
    EXPECT_EQ(name, u"PELKO Dongle");
    hidraw_devinfo info{};
    ASSERT_EQ(::ioctl(static_cast<int>(m_device.m_hDevice), HIDIOCGRAWINFO, &info), 0);
    EXPECT_EQ(static_cast<std::uint16_t>(info.product), kProduct);
}

TEST_F(HidrawVm, SynchronisationArrivesWholeAsOutputReports) {
    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    m_transport.CloseDongle(std::exchange(m_device.m_hDevice, kInvalidDeviceHandle));

    test::FakePanel panel;
    panel.m_nSignal = 4;
    panel.m_operator = u"Vexmor";
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &m_transport;
    app.m_nVendorId = kVendor;
    app.m_sleep = [](std::chrono::milliseconds) {};
    RunPollCycle(app);
    ASSERT_TRUE(app.HasDevice());
    ASSERT_TRUE(dongle.WaitForReports(9));
    const std::vector<Bytes> expected = {Report({2, 0, 1}),
                                         Report({2, 2, 0}),
                                         Report({2, 1, 0}),
                                         Report({2, 5, 0}),
                                         Report({2, 3, 0, 4}),
                                         Report({2, 4, 0, 0}),
                                         Report({2, 6, 0, 6, 'V', 'e', 'x', 'm', 'o', 'r'}),
                                         Report({2, 6, 1, 0}),
                                         Report({2, 6, 2, 0})};
    const auto received = dongle.Reports();
    ASSERT_EQ(received.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(received[i].nEventType, UHID_OUTPUT) << i;
        EXPECT_EQ(received[i].nReportType, UHID_OUTPUT_REPORT) << i;
        EXPECT_EQ(received[i].data, expected[i]) << i;
    }
    m_transport.CloseDongle(app.m_hDevice.exchange(kInvalidDeviceHandle));
}

TEST_F(HidrawVm, AnInputReportEndsTheWaitAndIsDispatched) {
    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    const auto start = Clock::now();
    std::thread handsFree([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        dongle.SendInput(Report({2, 1, 3, 2, '4', '2'}));
    });
    DongleEvent event;
    EXPECT_TRUE(m_transport.ReadDongleEvent(m_device, event));
    const long nElapsed = MillisecondsSince(start);
    handsFree.join();
    EXPECT_GE(nElapsed, 90);
    EXPECT_LT(nElapsed, 390);
    EXPECT_EQ(event.Command, HandsFreeRequest);
    EXPECT_EQ(ParseMemoryLocation(event), 42);
}

TEST_F(HidrawVm, ASilentReadGivesUpAfter400Milliseconds) {
    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    for (const DongleDevice device : {m_device, DongleDevice{kVendor, kProduct}}) {
        const auto start = Clock::now();
        DongleEvent event;
        event.Command = 77;
        EXPECT_FALSE(m_transport.ReadDongleEvent(device, event));
        const long nElapsed = MillisecondsSince(start);
        EXPECT_GE(nElapsed, 400);
        EXPECT_LT(nElapsed, 1000);
        EXPECT_EQ(event.Command, 77);
    }
}

TEST_F(HidrawVm, ReportsQueuedBeforeAnUnplugAreReadFirst) {
    auto dongle =
        std::make_unique<CUhidDongle>("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    dongle->SendInput(Report({2, 2, 2}));
    dongle.reset();
    DongleEvent event;
    ASSERT_TRUE(m_transport.ReadDongleEvent(m_device, event));
    EXPECT_EQ(event.Command, AudioStateReport);
    EXPECT_FALSE(m_transport.ReadDongleEvent(m_device, event));
    WideText name;
    EXPECT_FALSE(m_transport.ReadProductString(m_device, name));
    EXPECT_FALSE(m_transport.SendReport(m_device, DongleReport{2, 0, 1}));
}

TEST_F(HidrawVm, AnUnplugIsNoticedAndTheDongleFoundAgain) {
    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    m_transport.CloseDongle(std::exchange(m_device.m_hDevice, kInvalidDeviceHandle));

    test::FakePanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &m_transport;
    app.m_nVendorId = kVendor;
    app.m_sleep = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
    RunPollCycle(app);
    ASSERT_TRUE(app.HasDevice());
    panel.m_bRequest.Raise(PlaceIncomingCall);
    RunPollCycle(app);
    EXPECT_EQ(panel.m_usbName.back(), u"PELKO Dongle");

    dongle.Unplug();
    RunPollCycle(app);
    EXPECT_TRUE(app.HasDevice());  // one failure is only counted
    RunPollCycle(app);
    EXPECT_FALSE(app.HasDevice());
    RunPollCycle(app);
    EXPECT_EQ(panel.m_usbName.back(), u"*** Searching for USB Device ***");

    dongle.TakeReports();
    dongle.Plug();
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!app.HasDevice() && Clock::now() < deadline) {
        RunPollCycle(app);
    }
    ASSERT_TRUE(app.HasDevice());
    ASSERT_TRUE(dongle.WaitForReports(2));
    EXPECT_EQ(dongle.Reports()[1].data,
              Report({2, 2, 1, 0x81, 9, '"', '1', '2', '3', '4', '5', '6', '7', '"'}));
    m_transport.CloseDongle(app.m_hDevice.exchange(kInvalidDeviceHandle));
}

TEST_F(HidrawVm, ManyCyclesLeaveNoFileDescriptorBehind) {
    test::FakePanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &m_transport;
    app.m_nVendorId = kVendor;
    app.m_sleep = [](std::chrono::milliseconds) {};
    const std::size_t nBefore = CountOpenFds();
    for (int i = 0; i < 50; ++i) {
        RunPollCycle(app);  // searching, with no dongle present
    }
    {
        CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
        while (!app.HasDevice()) {
            RunPollCycle(app);
        }
        for (int i = 0; i < 300; ++i) {
            dongle.SendInput(Report({2, 1, 5}));
            RunPollCycle(app);
        }
    }
    RunPollCycle(app);
    RunPollCycle(app);
    EXPECT_FALSE(app.HasDevice());
    EXPECT_EQ(CountOpenFds(), nBefore);
}

// Run after usbhid has been loaded with the dongle's quirk.
TEST_F(HidrawVm, QuirkOutputReportsGoOutAsSetReport) {
    CUhidDongle dongle("PELKO Dongle", kVendor, kProduct, kDongleDescriptor);
    ASSERT_TRUE(FindWithin(m_transport, m_device));
    DongleReport report{};
    report[0] = 2;
    report[1] = 10;
    report[2] = 1;
    EXPECT_TRUE(m_transport.SendReport(m_device, report));
    ASSERT_TRUE(dongle.WaitForReports(1));
    const auto received = dongle.Reports();
    EXPECT_EQ(received[0].nEventType, UHID_SET_REPORT);
    EXPECT_EQ(received[0].nReportType, UHID_OUTPUT_REPORT);
    EXPECT_EQ(received[0].data, Report({2, 10, 1}));
}

}  // namespace
}  // namespace sonvik::vm
