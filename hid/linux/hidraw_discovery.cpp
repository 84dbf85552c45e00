#include "hid/linux/hidraw_discovery.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "hid/dongle_recognition.h"

namespace sonvik::linux_hid {

namespace fs = std::filesystem;

namespace {

bool ParseHex(std::string_view text, std::uint32_t& nValue) {
    const auto [pEnd, error] = std::from_chars(text.data(), text.data() + text.size(), nValue, 16);
    return error == std::errc() && pEnd == text.data() + text.size() && !text.empty();
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// "hidraw12" gives 12; anything else is not a hidraw node.
std::optional<unsigned> NodeNumber(std::string_view name) {
    constexpr std::string_view kPrefix = "hidraw";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) {
        return std::nullopt;
    }
    unsigned nNumber = 0;
    const char* pBegin = name.data() + kPrefix.size();
    const char* pEnd = name.data() + name.size();
    const auto [pStop, error] = std::from_chars(pBegin, pEnd, nNumber);
    return error == std::errc() && pStop == pEnd ? std::optional(nNumber) : std::nullopt;
}

std::optional<HidrawNode> DescribeNode(const fs::path& entry, unsigned nNumber,
                                       const HidrawRoots& roots) {
    std::error_code error;
    const fs::path sysPath = fs::canonical(entry, error);
    if (error) {
        return std::nullopt;
    }
    const auto uevent = ReadWholeFile(sysPath / "device" / "uevent");
    const auto descriptor = ReadWholeFile(sysPath / "device" / "report_descriptor");
    if (!uevent || !descriptor) {
        return std::nullopt;
    }
    const auto id = ParseHidIdFromUevent(*uevent);
    if (!id) {
        return std::nullopt;
    }
    HidrawNode node;
    node.nNumber = nNumber;
    node.name = entry.filename().string();
    node.devicePath = (fs::path(roots.dev) / node.name).string();
    node.sysPath = sysPath.string();
    node.id = *id;
    const auto* pBytes = reinterpret_cast<const std::uint8_t*>(descriptor->data());
    node.collections = ParseTopLevelCollections({pBytes, descriptor->size()});
    return node;
}

}  // namespace

std::optional<HidId> ParseHidIdFromUevent(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    std::size_t nStart = 0;
    while (nStart < uevent.size()) {
        std::size_t nEnd = uevent.find('\n', nStart);
        if (nEnd == std::string_view::npos) {
            nEnd = uevent.size();
        }
        const std::string_view line = uevent.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (!line.starts_with(kKey)) {
            continue;
        }
        const std::string_view value = line.substr(kKey.size());
        const std::size_t nFirst = value.find(':');
        const std::size_t nSecond = value.find(':', nFirst + 1);
        if (nFirst == std::string_view::npos || nSecond == std::string_view::npos) {
            return std::nullopt;
        }
        HidId id;
        if (!ParseHex(value.substr(0, nFirst), id.nBus) ||
            !ParseHex(value.substr(nFirst + 1, nSecond - nFirst - 1), id.nVendorId) ||
            !ParseHex(value.substr(nSecond + 1), id.nProductId)) {
            return std::nullopt;
        }
        return id;
    }
    return std::nullopt;
}

std::vector<HidrawNode> ListHidrawNodes(const HidrawRoots& roots) {
    std::vector<HidrawNode> nodes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(roots.sysClassHidraw, error)) {
        const auto nNumber = NodeNumber(entry.path().filename().string());
        if (!nNumber) {
            continue;
        }
        if (auto node = DescribeNode(entry.path(), *nNumber, roots)) {
            nodes.push_back(std::move(*node));
        }
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const HidrawNode& a, const HidrawNode& b) { return a.nNumber < b.nNumber; });
    return nodes;
}

bool IsDongleNode(const HidrawNode& node, std::uint32_t nVendorId, std::uint32_t nProductId) {
    if (node.id.nVendorId != nVendorId || node.id.nProductId != nProductId) {
        return false;
    }
    // The kernel reports 16-bit IDs widened; a configured ID above 0xFFFF matches nothing.
    if (nVendorId > 0xFFFF || nProductId > 0xFFFF) {
        return false;
    }
    return std::any_of(
        node.collections.begin(), node.collections.end(),
        [](const TopLevelCollection& c) { return IsDongleCollection(c.nUsagePage, c.nUsage); });
}

std::string FindUsbProductFile(const std::string& nodeSysPath) {
    // The node sits below its HID device, which sits below a USB interface, below the USB
    // device that has the product attribute; a device with no USB parent has none.
    std::error_code error;
    fs::path dir = fs::path(nodeSysPath).parent_path();
    for (int nLevel = 0; nLevel < 6 && dir.has_relative_path(); ++nLevel) {
        dir = dir.parent_path();
        if (fs::exists(dir / "idVendor", error) && fs::exists(dir / "product", error)) {
            return (dir / "product").string();
        }
    }
    return {};
}

}  // namespace sonvik::linux_hid
