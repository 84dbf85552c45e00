#include "hid/linux/hidraw_transport.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

#include "hid/dongle_recognition.h"
#include "hid/linux/utf8_text.h"
#include "protocol/dongle_event.h"

#ifndef HIDIOCSOUTPUT
#define HIDIOCSOUTPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0B, len)
#endif

namespace sonvik::linux_hid {

namespace {

void WriteToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

int AsFd(DeviceHandle hDevice) {
    return static_cast<int>(hDevice);
}

// Waits for one input report until the deadline; true with the report read into the buffer.
bool PollAndRead(int fd, DongleReport& buffer, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd descriptor{fd, POLLIN, 0};
        const int nReady =
            ::poll(&descriptor, 1, static_cast<int>(std::max<long>(0, left.count())));
        if (nReady < 0 && errno == EINTR) {
            continue;
        }
        if (nReady <= 0) {
            return false;
        }
        // Reports still queued when the dongle goes come with POLLHUP and are read first.
        if ((descriptor.revents & POLLIN) == 0) {
            return false;
        }
        const ssize_t nRead = ::read(fd, buffer.data(), buffer.size());
        if (nRead > 0) {
            return true;
        }
        if (nRead < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

CHidrawTransport::CHidrawTransport(HidrawRoots roots, NoticeFunction notice)
    : m_roots(std::move(roots)),
      m_notice(notice ? std::move(notice) : NoticeFunction(WriteToStandardError)) {}

bool CHidrawTransport::FindDongle(DongleDevice& device) {
    for (const HidrawNode& node : ListHidrawNodes(m_roots)) {
        if (!IsDongleNode(node, device.m_nVendorId, device.m_nProductId)) {
            continue;
        }
        const int fd = OpenNode(node);
        if (fd < 0) {
            continue;  // passed over, as if absent
        }
        {
            std::lock_guard lock(m_mutex);
            m_productFiles[fd] = FindUsbProductFile(node.sysPath);
        }
        device.m_hDevice = fd;
        return true;
    }
    return false;
}

int CHidrawTransport::OpenNode(const HidrawNode& node) {
    const int fd = ::open(node.devicePath.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && (errno == EACCES || errno == EPERM)) {
        NoticePermission(node.devicePath);
    }
    return fd;
}

void CHidrawTransport::NoticePermission(const std::string& devicePath) {
    std::lock_guard lock(m_mutex);
    if (std::exchange(m_bPermissionNoticed, true)) {
        return;
    }
    m_notice("sonvik: the dongle is " + devicePath +
             ", but this user may not open it. Install the udev rule "
             "(packaging/linux/70-sonvik-dongle.rules, see the README), then replug the dongle.\n");
}

bool CHidrawTransport::SendReport(DongleDevice device, const DongleReport& report) {
    const int fd = AsFd(device.m_hDevice);
    if (fd < 0) {
        return false;
    }
    DongleReport copy = report;  // the ioctl takes a writable buffer
    int nSent = ::ioctl(fd, HIDIOCSOUTPUT(kReportSize), copy.data());
    if (nSent < 0 && (errno == EINVAL || errno == ENOTTY)) {
        nSent = static_cast<int>(::write(fd, report.data(), report.size()));  // before 5.11
    }
    return nSent == static_cast<int>(kReportSize);
}

bool CHidrawTransport::ReadDongleEvent(DongleDevice device, DongleEvent& event) {
    const auto deadline = std::chrono::steady_clock::now() + kInputReportWait;
    DongleReport buffer = MakeReadBuffer();
    const int fd = AsFd(device.m_hDevice);
    if (fd >= 0 && PollAndRead(fd, buffer, deadline)) {
        DecodeDongleEvent(buffer, event);
        return true;
    }
    // No report, no device, or a device gone: all end when the wait has run out, so a lost
    // dongle paces the loop as a silent one does.
    std::this_thread::sleep_until(deadline);
    return false;
}

bool CHidrawTransport::ReadProductString(DongleDevice device, WideText& text) {
    const int fd = AsFd(device.m_hDevice);
    char szName[256] = {};
    // Asked of the node every time: after an unplug its ioctls fail with ENODEV.
    if (fd < 0 || ::ioctl(fd, HIDIOCGRAWNAME(sizeof szName - 1), szName) < 0) {
        return false;
    }
    std::string productFile;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_productFiles.find(device.m_hDevice);
        if (it != m_productFiles.end()) {
            productFile = it->second;
        }
    }
    std::string name = szName;
    if (!productFile.empty()) {
        std::ifstream file(productFile);
        if (!file || !std::getline(file, name)) {
            return false;
        }
    }
    text = Utf8ToWide(name, kMaxProductNameLength);
    return true;
}

void CHidrawTransport::CloseDongle(DeviceHandle hDevice) {
    if (hDevice == kInvalidDeviceHandle) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_productFiles.erase(hDevice);
    }
    ::close(AsFd(hDevice));
}

}  // namespace sonvik::linux_hid
