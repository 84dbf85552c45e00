#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hid/linux/report_descriptor.h"

namespace sonvik::linux_hid {

// Where the binding looks: the real roots by default, fixture trees in the tests.
struct HidrawRoots {
    std::string sysClassHidraw = "/sys/class/hidraw";
    std::string dev = "/dev";
};

// The bus and IDs from a HID device's uevent line HID_ID=bbbb:vvvvvvvv:pppppppp.
struct HidId {
    std::uint32_t nBus = 0;
    std::uint32_t nVendorId = 0;
    std::uint32_t nProductId = 0;
};

std::optional<HidId> ParseHidIdFromUevent(std::string_view uevent);

// One present hidraw node, as sysfs describes it.
struct HidrawNode {
    unsigned nNumber = 0;
    std::string name;        // "hidraw3"
    std::string devicePath;  // "/dev/hidraw3"
    std::string sysPath;     // the node's sysfs folder, links resolved
    HidId id;
    std::vector<TopLevelCollection> collections;
};

// The present hidraw nodes in node-number order; nodes whose uevent or descriptor cannot be
// read are left out.
std::vector<HidrawNode> ListHidrawNodes(const HidrawRoots& roots);

// The dongle's command channel: the IDs (all 32 bits) first, then a top-level application
// collection of usage page 0xFFA0 with usage 1.
bool IsDongleNode(const HidrawNode& node, std::uint32_t nVendorId, std::uint32_t nProductId);

// The USB product attribute above a node's HID device, or empty when it has no USB parent.
std::string FindUsbProductFile(const std::string& nodeSysPath);

}  // namespace sonvik::linux_hid
