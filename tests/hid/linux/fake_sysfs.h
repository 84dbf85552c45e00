#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hid/linux/hidraw_discovery.h"

namespace sonvik::linux_hid::test {

// A vendor collection of the dongle's kind: usage page 0xFFA0, usage 1, report ID 2.
inline const std::vector<std::uint8_t> kDongleDescriptor = {
    0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x09, 0x02, 0x15, 0x00, 0x26,
    0xFF, 0x00, 0x75, 0x08, 0x95, 0x12, 0x81, 0x02, 0x09, 0x03, 0x91, 0x02, 0xC0};
inline const std::vector<std::uint8_t> kKeyboardDescriptor = {0x05, 0x01, 0x09, 0x06, 0xA1,
                                                              0x01, 0x05, 0x07, 0xC0};

// A sysfs and /dev tree in a scratch folder, laid out as the kernel lays out hidraw nodes: the
// class link, the HID device with uevent and report_descriptor, optionally a USB device above.
class FakeSysfs {
  public:
    FakeSysfs() {
        m_root = std::filesystem::temp_directory_path() /
                 ("sonvik-sysfs-" + std::to_string(::getpid()) + "-" + std::to_string(s_nNext++));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / "sys/class/hidraw");
        std::filesystem::create_directories(m_root / "dev");
    }
    ~FakeSysfs() { std::filesystem::remove_all(m_root); }
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    HidrawRoots Roots() const {
        return {(m_root / "sys/class/hidraw").string(), (m_root / "dev").string()};
    }

    // Adds hidrawN for a HID device; a product name puts a USB device with it above.
    void AddNode(unsigned nNumber, const std::string& hidId,
                 const std::vector<std::uint8_t>& descriptor, const std::string& product = "") {
        const std::string node = "hidraw" + std::to_string(nNumber);
        std::filesystem::path usb =
            m_root / "sys/devices/pci0000:00/usb1" / ("1-" + std::to_string(nNumber));
        std::filesystem::path hid = usb / ("1-" + std::to_string(nNumber) + ":1.0") /
                                    ("0003:HID." + std::to_string(nNumber));
        std::filesystem::create_directories(hid / "hidraw" / node);
        Write(hid / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Test\n");
        Write(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        if (!product.empty()) {
            Write(usb / "idVendor", "0a12\n");
            Write(usb / "product", product + "\n");
        }
        std::filesystem::create_directory_symlink(hid, hid / "hidraw" / node / "device");
        std::filesystem::create_directory_symlink(hid / "hidraw" / node,
                                                  m_root / "sys/class/hidraw" / node);
        Write(m_root / "dev" / node, "");
    }

    std::filesystem::path DevPath(unsigned nNumber) const {
        return m_root / "dev" / ("hidraw" + std::to_string(nNumber));
    }

  private:
    static void Write(const std::filesystem::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    static inline int s_nNext = 0;
    std::filesystem::path m_root;
};

}  // namespace sonvik::linux_hid::test
