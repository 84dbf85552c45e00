#pragma once

#include <chrono>

#include "common/dongle_device.h"
#include "common/wide_text.h"
#include "protocol/dongle_event.h"
#include "protocol/dongle_report.h"

namespace sonvik {

// How long ReadDongleEvent waits for one input report.
inline constexpr std::chrono::milliseconds kInputReportWait{400};

// The seam between the core and a dongle: hid.dll on Windows, hidraw on Linux, or the simulated
// dongle. The core calls nothing else of the platform's USB side.
class ITransport {
  public:
    virtual ~ITransport() = default;

    // Binds the platform's HID library once at start-up; true when every entry point was found.
    virtual bool BindHidApi() = 0;

    // Called only while device.m_hDevice is invalid. Opens the first present dongle interface
    // matching the IDs and stores its handle; false leaves the device unchanged.
    virtual bool FindDongle(DongleDevice& device) = 0;

    // Delivers one whole 19-byte output report; true when the system says it was delivered.
    virtual bool SendReport(DongleDevice device, const DongleReport& report) = 0;

    // Waits up to 400 ms for one input report; true with the decoded event, false leaves it as it
    // was. With no device open it answers false once the wait has run out.
    virtual bool ReadDongleEvent(DongleDevice device, DongleEvent& event) = 0;

    // Reads the dongle's USB product name afresh, at most 25 code units; false when it cannot.
    virtual bool ReadProductString(DongleDevice device, WideText& text) = 0;

    // Releases a handle that FindDongle opened: the dongle given up, or left open at exit.
    virtual void CloseDongle(DeviceHandle hDevice) = 0;
};

}  // namespace sonvik
