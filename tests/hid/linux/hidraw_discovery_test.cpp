#include "hid/linux/hidraw_discovery.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "fake_sysfs.h"
#include "hid/linux/hidraw_transport.h"
#include "hid/linux/utf8_text.h"

namespace sonvik::linux_hid {
namespace {

using test::FakeSysfs;
using test::kDongleDescriptor;
using test::kKeyboardDescriptor;

constexpr std::uint32_t kVendor = 0x0A12;
constexpr std::uint32_t kProduct = 0x1004;
const std::string kDongleId = "0003:00000A12:00001004";

TEST(HidrawUevent, ReadsBusAndIds) {
    const auto id = ParseHidIdFromUevent("DRIVER=hid-generic\nHID_ID=0003:00000A12:00001004\n");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->nBus, 3u);
    EXPECT_EQ(id->nVendorId, 0x0A12u);
    EXPECT_EQ(id->nProductId, 0x1004u);
    EXPECT_TRUE(ParseHidIdFromUevent("HID_ID=0005:0000FFFF:0000ABCD"));
    for (const char* pszBad :
         {"", "HID_NAME=x\n", "HID_ID=0003:00000A12\n", "HID_ID=0003::1004\n",
          "HID_ID=0003:0000ZZ12:00001004\n", "XHID_ID=0003:00000A12:00001004"}) {
        EXPECT_FALSE(ParseHidIdFromUevent(pszBad)) << pszBad;
    }
}

// Which files of a folder are opened, told by the kernel itself.
class OpenWatch {
  public:
    explicit OpenWatch(const std::filesystem::path& dir)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(m_fd, dir.c_str(), IN_OPEN);
    }
    ~OpenWatch() { ::close(m_fd); }
    std::set<std::string> Opened() {
        std::set<std::string> names;
        alignas(inotify_event) char buffer[4096];
        ssize_t nRead;
        while ((nRead = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + nRead;) {
                auto* pEvent = reinterpret_cast<inotify_event*>(p);
                if (pEvent->len > 0) {
                    names.insert(pEvent->name);
                }
                p += sizeof(inotify_event) + pEvent->len;
            }
        }
        return names;
    }

  private:
    int m_fd;
};

TEST(HidrawDiscovery, ListsNodesInNumberOrderWithTheirCollections) {
    FakeSysfs sysfs;
    sysfs.AddNode(10, kDongleId, kDongleDescriptor);
    sysfs.AddNode(2, "0003:0000046D:0000C31C", kKeyboardDescriptor);
    sysfs.AddNode(3, "garbage", kDongleDescriptor);  // left out: no readable HID_ID
    const auto nodes = ListHidrawNodes(sysfs.Roots());
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].name, "hidraw2");
    EXPECT_EQ(nodes[0].id.nVendorId, 0x046Du);
    EXPECT_EQ(nodes[1].name, "hidraw10");
    EXPECT_EQ(nodes[1].devicePath, sysfs.DevPath(10).string());
    ASSERT_EQ(nodes[1].collections.size(), 1u);
    EXPECT_EQ(nodes[1].collections[0].nUsagePage, 0xFFA0);
}

TEST(HidrawDiscovery, MatchesIdsThenTheVendorCollection) {
    FakeSysfs sysfs;
    sysfs.AddNode(0, kDongleId, kDongleDescriptor);
    const HidrawNode node = ListHidrawNodes(sysfs.Roots()).at(0);
    EXPECT_TRUE(IsDongleNode(node, kVendor, kProduct));
    EXPECT_FALSE(IsDongleNode(node, kVendor, kProduct + 1));
    EXPECT_FALSE(IsDongleNode(node, kVendor + 1, kProduct));
    EXPECT_FALSE(IsDongleNode(node, kVendor + 0x10000, kProduct));
    EXPECT_FALSE(IsDongleNode(node, kVendor, kProduct + 0x10000));
    HidrawNode wide = node;  // a kernel ID above 16 bits still never matches a configured one
    wide.id.nProductId = kProduct + 0x10000;
    EXPECT_FALSE(IsDongleNode(wide, kVendor, kProduct + 0x10000));
    HidrawNode otherPage = node;
    otherPage.collections = {{0xFF00, 1}, {0xFFA0, 2}};
    EXPECT_FALSE(IsDongleNode(otherPage, kVendor, kProduct));
    otherPage.collections.push_back({0xFFA0, 1});
    EXPECT_TRUE(IsDongleNode(otherPage, kVendor, kProduct));
}

TEST(HidrawDiscovery, OpensTheFirstMatchOnlyAndNothingElse) {
    FakeSysfs sysfs;
    sysfs.AddNode(1, "0003:00000A12:00001005", kDongleDescriptor);   // wrong product
    sysfs.AddNode(2, kDongleId, kKeyboardDescriptor);                // wrong usage page
    sysfs.AddNode(4, kDongleId, kDongleDescriptor, "PELKO Dongle");  // the dongle
    sysfs.AddNode(12, kDongleId, kDongleDescriptor);                 // a second match
    OpenWatch watch(sysfs.DevPath(1).parent_path());
    CHidrawTransport transport(sysfs.Roots());
    DongleDevice device{kVendor, kProduct, kInvalidDeviceHandle};
    ASSERT_TRUE(transport.FindDongle(device));
    EXPECT_NE(device.m_hDevice, kInvalidDeviceHandle);
    EXPECT_EQ(watch.Opened(), std::set<std::string>{"hidraw4"});
    EXPECT_EQ(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(device.m_hDevice)),
              sysfs.DevPath(4));
    const int nFlags = ::fcntl(static_cast<int>(device.m_hDevice), F_GETFL);
    EXPECT_EQ(nFlags & O_ACCMODE, O_RDWR);
    EXPECT_TRUE(nFlags & O_NONBLOCK);
    EXPECT_TRUE(::fcntl(static_cast<int>(device.m_hDevice), F_GETFD) & FD_CLOEXEC);
    transport.CloseDongle(device.m_hDevice);
}

TEST(HidrawDiscovery, FindsNothingAndLeavesTheDeviceAlone) {
    FakeSysfs sysfs;
    sysfs.AddNode(0, "0003:00000A12:00001005", kDongleDescriptor);
    CHidrawTransport transport(sysfs.Roots());
    DongleDevice device{kVendor, kProduct, kInvalidDeviceHandle};
    EXPECT_FALSE(transport.FindDongle(device));
    EXPECT_EQ(device.m_hDevice, kInvalidDeviceHandle);

    CHidrawTransport nowhere(HidrawRoots{"/nonexistent/sys", "/nonexistent/dev"});
    EXPECT_FALSE(nowhere.FindDongle(device));
}

TEST(HidrawDiscovery, PassesOverANodeThatWillNotOpenAndSaysWhyOnce) {
    FakeSysfs sysfs;
    sysfs.AddNode(0, kDongleId, kDongleDescriptor);
    sysfs.AddNode(1, kDongleId, kDongleDescriptor);
    std::filesystem::permissions(sysfs.DevPath(0), std::filesystem::perms::none);
    std::filesystem::remove(sysfs.DevPath(1));  // and one whose node is gone
    // Root opens anything, so the search runs as an unprivileged user in a child.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0) {
            ::_exit(3);
        }
        std::string notices;
        CHidrawTransport transport(sysfs.Roots(), [&](std::string_view n) { notices += n; });
        DongleDevice device{kVendor, kProduct, kInvalidDeviceHandle};
        const bool bFound = transport.FindDongle(device) || transport.FindDongle(device);
        notices += bFound ? "FOUND" : "";
        (void)!::write(pipeFds[1], notices.data(), notices.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string notices;
    char buffer[512];
    ssize_t nRead;
    while ((nRead = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        notices.append(buffer, static_cast<std::size_t>(nRead));
    }
    ::close(pipeFds[0]);
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(notices.find("FOUND"), std::string::npos);
    // Said once over two searches, naming the node and the fix.
    EXPECT_NE(notices.find(sysfs.DevPath(0).string()), std::string::npos) << notices;
    EXPECT_NE(notices.find("udev rule"), std::string::npos);
    EXPECT_EQ(notices.find("sonvik:"), notices.rfind("sonvik:"));
}

TEST(HidrawDiscovery, FindsTheUsbProductAttributeAboveTheHidDevice) {
    FakeSysfs sysfs;
    sysfs.AddNode(0, kDongleId, kDongleDescriptor, "PELKO Dongle");
    sysfs.AddNode(1, kDongleId, kDongleDescriptor);
    const auto nodes = ListHidrawNodes(sysfs.Roots());
    const std::string productFile = FindUsbProductFile(nodes[0].sysPath);
    EXPECT_TRUE(productFile.ends_with("/usb1/1-0/product")) << productFile;
    EXPECT_EQ(FindUsbProductFile(nodes[1].sysPath), "");
}

TEST(HidrawText, Utf8ToUtf16WithinTheLimit) {
    EXPECT_EQ(Utf8ToWide("PELKO", 25), u"PELKO");
    EXPECT_EQ(Utf8ToWide("Caf\xC3\xA9 \xC5\x81", 25), u"Caf\u00e9 \u0141");
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80", 25), u"\U0001F600");
    EXPECT_EQ(Utf8ToWide("abcdefghijklmnopqrstuvwxyz0123", 25), u"abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(Utf8ToWide("ab\xF0\x9F\x98\x80", 3), u"ab");  // no half surrogate pair
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b\xC3",
                         25),
              u"a\uFFFDb\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xC0\x80", 25), u"\uFFFD");      // overlong
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80", 25), u"\uFFFD");  // an encoded surrogate
}

TEST(HidrawTransport, WithoutADeviceEverythingFails) {
    CHidrawTransport transport(HidrawRoots{"/nonexistent/sys", "/nonexistent/dev"});
    const DongleDevice none{kVendor, kProduct, kInvalidDeviceHandle};
    DongleReport report{};
    report[0] = 2;
    EXPECT_FALSE(transport.SendReport(none, report));
    WideText name = u"kept";
    EXPECT_FALSE(transport.ReadProductString(none, name));
    EXPECT_EQ(name, u"kept");
    transport.CloseDongle(kInvalidDeviceHandle);
}

}  // namespace
}  // namespace sonvik::linux_hid
