#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "app/dialog_panel.h"
#include "common/dongle_device.h"
#include "hid/transport.h"
#include "poll/dongle_state.h"

namespace sonvik {

inline constexpr std::uint32_t kDefaultProductId = 0x1004;

using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// What the application object holds for the poll loop. The panel's thread and the worker share
// m_pDlg, m_hDevice and m_bRunning, so those are atomic; the rest belongs to the worker while it
// runs.
class CSonvikApp {
  public:
    CSonvikApp() = default;
    // Process exit: says so, and closes the dongle if it is still open.
    ~CSonvikApp();
    CSonvikApp(const CSonvikApp&) = delete;
    CSonvikApp& operator=(const CSonvikApp&) = delete;

    // Read afresh at every use; set before the worker starts and kept until it has ended.
    std::atomic<IPanel*> m_pDlg{nullptr};
    std::uint32_t m_nVendorId = 0;
    std::uint32_t m_nProductId = kDefaultProductId;
    std::atomic<DeviceHandle> m_hDevice{kInvalidDeviceHandle};
    std::atomic<std::int32_t> m_bRunning{0};
    std::uint32_t m_nNameFailures = 0;
    std::int32_t m_nDongleState = NotReported;
    std::int32_t m_nAudioState = 0;
    std::thread m_hWorkerThread;

    // The transport binding chosen at start-up, and the pause between searches (replaceable, so
    // that tests never sleep through it).
    ITransport* m_pTransport = nullptr;
    SleepFunction m_sleep;

    // The device record with the handle of this moment.
    DongleDevice GetDevice() const {
        return {m_nVendorId, m_nProductId, m_hDevice.load(std::memory_order_acquire)};
    }

    bool HasDevice() const {
        return m_hDevice.load(std::memory_order_acquire) != kInvalidDeviceHandle;
    }
};

// The real pause of the program.
void SleepFor(std::chrono::milliseconds duration);

// The program's life once the transport is bound and the panel object made: the worker beside
// the modal panel, then the leaving report, the stop and the wait for the worker. When it
// returns nothing reaches the panel object any more, and the caller destroys it.
void RunModalSession(CSonvikApp& app, IDialogPanel& dlg);

}  // namespace sonvik
