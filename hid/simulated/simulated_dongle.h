#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "hid/transport.h"

namespace sonvik {

// A dongle that lives in the program: what the tests drive, and what --simulate runs against.
// It can be plugged and unplugged, queues the input reports it is given, keeps every output
// report it receives in order, and can be made to fail one product-name read. Thread-safe: the
// worker, the panel's thread and a test or console thread may all use it at once.
class CSimulatedDongle : public ITransport {
  public:
    struct Options {
        WideText productName = u"Sonvik Simulated Dongle";
        std::uint32_t nVendorId = 0;
        std::uint32_t nProductId = 0;
        // How long a read waits for an input report; tests set 0 so that no cycle waits.
        std::chrono::milliseconds readWait = kInputReportWait;
        bool bPlugged = true;
    };

    using ReportListener = std::function<void(const DongleReport&)>;

    explicit CSimulatedDongle(Options options);

    // The transport operations.
    bool BindHidApi() override { return true; }
    bool FindDongle(DongleDevice& device) override;
    bool SendReport(DongleDevice device, const DongleReport& report) override;
    bool ReadDongleEvent(DongleDevice device, DongleEvent& event) override;
    bool ReadProductString(DongleDevice device, WideText& text) override;
    void CloseDongle(DeviceHandle hDevice) override;

    // The hands-free side and the cable.
    void Plug();
    void Unplug();
    // False, and nothing queued, when nobody has the dongle open to hear it.
    bool QueueInputReport(const DongleReport& report);
    void FailNextNameRead();

    // Called, outside the dongle's lock, for every output report the dongle receives.
    void SetReportListener(ReportListener listener);

    bool IsPlugged() const;
    bool IsOpen() const;
    std::vector<DongleReport> SentReports() const;
    std::vector<DongleReport> TakeSentReports();
    std::size_t QueuedInputCount() const;

  private:
    bool IsOpenHandle(DeviceHandle hDevice) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_inputArrived;
    Options m_options;
    bool m_bPlugged;
    // The handle of the one open interface, or invalid; every opening gets a new handle, so a
    // handle kept from before an unplug never works again.
    DeviceHandle m_hOpen = kInvalidDeviceHandle;
    DeviceHandle m_hNext = 1;
    bool m_bFailNextName = false;
    std::deque<DongleReport> m_input;
    std::vector<DongleReport> m_sent;
    ReportListener m_listener;
};

}  // namespace sonvik
