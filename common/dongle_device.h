#pragma once

#include <cstdint>

namespace sonvik {

// An open dongle as the transport knows it: a Windows HANDLE, a Linux file descriptor or a
// simulated dongle's token, all widened to one integer so that the core stays platform-free.
using DeviceHandle = std::intptr_t;

// Same bit pattern as the Windows INVALID_HANDLE_VALUE, and never a valid file descriptor.
inline constexpr DeviceHandle kInvalidDeviceHandle = -1;

// What every transport operation and sender is given.
struct DongleDevice {
    std::uint32_t m_nVendorId = 0;
    std::uint32_t m_nProductId = 0;
    DeviceHandle m_hDevice = kInvalidDeviceHandle;
};

}  // namespace sonvik
