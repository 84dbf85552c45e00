#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "hid/linux/hidraw_discovery.h"
#include "hid/transport.h"

namespace sonvik::linux_hid {

// The transport over the kernel's hidraw interface. Handles are the open nodes' file
// descriptors.
class CHidrawTransport : public ITransport {
  public:
    using NoticeFunction = std::function<void(std::string_view)>;

    // Notices are for the user (standard error by default), not diagnostics.
    explicit CHidrawTransport(HidrawRoots roots = {}, NoticeFunction notice = {});
    ~CHidrawTransport() override = default;

    bool BindHidApi() override { return true; }  // nothing to bind on Linux
    bool FindDongle(DongleDevice& device) override;
    bool SendReport(DongleDevice device, const DongleReport& report) override;
    bool ReadDongleEvent(DongleDevice device, DongleEvent& event) override;
    bool ReadProductString(DongleDevice device, WideText& text) override;
    void CloseDongle(DeviceHandle hDevice) override;

  private:
    int OpenNode(const HidrawNode& node);
    void NoticePermission(const std::string& devicePath);

    HidrawRoots m_roots;
    NoticeFunction m_notice;
    std::mutex m_mutex;
    // For each open handle, where its USB product name is read (empty: no USB parent).
    std::map<DeviceHandle, std::string> m_productFiles;
    bool m_bPermissionNoticed = false;
};

}  // namespace sonvik::linux_hid
