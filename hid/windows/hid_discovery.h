#pragma once

#include "common/dongle_device.h"
#include "hid/windows/hid_api.h"

namespace sonvik::windows_hid {

// Opens the first present HID interface whose IDs and top-level collection are the dongle's,
// for reading and writing, shared and overlapped, and stores its handle in device. Every other
// interface it opened is closed again; false leaves device unchanged.
bool FindDongleInterface(const HidApi& api, DongleDevice& device);

}  // namespace sonvik::windows_hid
