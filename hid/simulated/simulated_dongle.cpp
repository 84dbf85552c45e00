#include "hid/simulated/simulated_dongle.h"

#include <utility>

#include "hid/dongle_recognition.h"
#include "protocol/dongle_event.h"

namespace sonvik {

CSimulatedDongle::CSimulatedDongle(Options options)
    : m_options(std::move(options)), m_bPlugged(m_options.bPlugged) {}

bool CSimulatedDongle::FindDongle(DongleDevice& device) {
    std::lock_guard lock(m_mutex);
    if (!m_bPlugged || m_hOpen != kInvalidDeviceHandle) {
        return false;
    }
    if (device.m_nVendorId != m_options.nVendorId || device.m_nProductId != m_options.nProductId) {
        return false;
    }
    m_hOpen = m_hNext++;
    device.m_hDevice = m_hOpen;
    return true;
}

bool CSimulatedDongle::SendReport(DongleDevice device, const DongleReport& report) {
    ReportListener listener;
    {
        std::lock_guard lock(m_mutex);
        if (!IsOpenHandle(device.m_hDevice)) {
            return false;
        }
        m_sent.push_back(report);
        listener = m_listener;
    }
    if (listener) {
        listener(report);
    }
    return true;
}

bool CSimulatedDongle::ReadDongleEvent(DongleDevice device, DongleEvent& event) {
    DongleReport buffer = MakeReadBuffer();
    {
        std::unique_lock lock(m_mutex);
        // Wait the whole time on a handle that does not work, as a real read would.
        const bool bArrived = m_inputArrived.wait_for(lock, m_options.readWait, [&] {
            return IsOpenHandle(device.m_hDevice) && !m_input.empty();
        });
        if (!bArrived) {
            return false;
        }
        buffer = m_input.front();
        m_input.pop_front();
    }
    DecodeDongleEvent(buffer, event);
    return true;
}

bool CSimulatedDongle::ReadProductString(DongleDevice device, WideText& text) {
    std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(device.m_hDevice)) {
        return false;
    }
    if (std::exchange(m_bFailNextName, false)) {
        return false;
    }
    text = m_options.productName.substr(0, kMaxProductNameLength);
    return true;
}

void CSimulatedDongle::CloseDongle(DeviceHandle hDevice) {
    std::lock_guard lock(m_mutex);
    if (hDevice == m_hOpen) {
        m_hOpen = kInvalidDeviceHandle;
    }
}

void CSimulatedDongle::Plug() {
    std::lock_guard lock(m_mutex);
    m_bPlugged = true;
}

void CSimulatedDongle::Unplug() {
    std::lock_guard lock(m_mutex);
    m_bPlugged = false;
    // The open handle stays the caller's to close, but it no longer reaches a dongle.
    m_hOpen = kInvalidDeviceHandle;
    m_input.clear();
}

bool CSimulatedDongle::QueueInputReport(const DongleReport& report) {
    {
        std::lock_guard lock(m_mutex);
        if (m_hOpen == kInvalidDeviceHandle) {
            return false;
        }
        m_input.push_back(report);
    }
    m_inputArrived.notify_all();
    return true;
}

void CSimulatedDongle::FailNextNameRead() {
    std::lock_guard lock(m_mutex);
    m_bFailNextName = true;
}

void CSimulatedDongle::SetReportListener(ReportListener listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

bool CSimulatedDongle::IsPlugged() const {
    std::lock_guard lock(m_mutex);
    return m_bPlugged;
}

bool CSimulatedDongle::IsOpen() const {
    std::lock_guard lock(m_mutex);
    return m_hOpen != kInvalidDeviceHandle;
}

std::vector<DongleReport> CSimulatedDongle::SentReports() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

std::vector<DongleReport> CSimulatedDongle::TakeSentReports() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_sent, {});
}

std::size_t CSimulatedDongle::QueuedInputCount() const {
    std::lock_guard lock(m_mutex);
    return m_input.size();
}

bool CSimulatedDongle::IsOpenHandle(DeviceHandle hDevice) const {
    return hDevice != kInvalidDeviceHandle && hDevice == m_hOpen;
}

}  // namespace sonvik
