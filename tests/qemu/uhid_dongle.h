#pragma once

#include <linux/uhid.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "protocol/dongle_report.h"

namespace sonvik::vm {

// What the kernel handed the virtual device: an output report or a Set_Report request.
struct ReceivedReport {
    std::uint32_t nEventType = 0;  // UHID_OUTPUT or UHID_SET_REPORT
    std::uint8_t nReportType = 0;  // UHID_OUTPUT_REPORT, ...
    std::vector<std::uint8_t> data;
};

// A HID device made by user space through /dev/uhid: plugged while it exists. It answers the
// kernel's Set_Report requests and keeps every report it receives.
class CUhidDongle {
  public:
    CUhidDongle(std::string name, std::uint32_t nVendorId, std::uint32_t nProductId,
                std::vector<std::uint8_t> descriptor);
    ~CUhidDongle();
    CUhidDongle(const CUhidDongle&) = delete;
    CUhidDongle& operator=(const CUhidDongle&) = delete;

    void Plug();
    void Unplug();
    void SendInput(const std::vector<std::uint8_t>& report);

    // Waits until at least nCount reports have arrived; false after the deadline.
    bool WaitForReports(std::size_t nCount,
                        std::chrono::milliseconds deadline = std::chrono::seconds(10));
    std::vector<ReceivedReport> Reports();
    std::vector<ReceivedReport> TakeReports();

  private:
    void Write(const uhid_event& event);
    void ServeEvents();
    void OnEvent(const uhid_event& event);

    std::string m_name;
    std::uint32_t m_nVendorId;
    std::uint32_t m_nProductId;
    std::vector<std::uint8_t> m_descriptor;
    int m_fd = -1;
    std::atomic<bool> m_bServing{false};
    std::thread m_server;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<ReceivedReport> m_reports;
};

}  // namespace sonvik::vm
