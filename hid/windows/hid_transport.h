#pragma once

#include "hid/transport.h"
#include "hid/windows/hid_api.h"

namespace sonvik::windows_hid {

// The transport over hid.dll, SetupAPI and overlapped file I/O. Handles are the open
// interfaces' file handles. It keeps no state between calls beyond the bound entry points.
class CHidTransport : public ITransport {
  public:
    // The table to use; the process's own unless a test hands in another.
    explicit CHidTransport(HidApi& api = GetHidApi()) : m_api(api) {}
    ~CHidTransport() override = default;

    // Loads hid.dll and binds its entry points into the table.
    bool BindHidApi() override;
    bool FindDongle(DongleDevice& device) override;
    bool SendReport(DongleDevice device, const DongleReport& report) override;
    bool ReadDongleEvent(DongleDevice device, DongleEvent& event) override;
    bool ReadProductString(DongleDevice device, WideText& text) override;
    void CloseDongle(DeviceHandle hDevice) override;

  private:
    HidApi& m_api;
};

}  // namespace sonvik::windows_hid
