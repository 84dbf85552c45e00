#include "hid/windows/hid_transport.h"

#include <algorithm>
#include <array>

#include "hid/dongle_recognition.h"
#include "hid/windows/hid_discovery.h"
#include "hid/windows/win_handle.h"
#include "protocol/dongle_event.h"

namespace sonvik::windows_hid {

namespace {

const DWORD kReadWaitMs = static_cast<DWORD>(kInputReportWait.count());

// Cancels the read and waits until the system has let go of its buffer and completion record,
// which live on the caller's stack.
void AbandonRead(HANDLE hDevice, OVERLAPPED& overlapped) {
    CancelIo(hDevice);
    DWORD nIgnored = 0;
    GetOverlappedResult(hDevice, &overlapped, &nIgnored, TRUE);
}

}  // namespace

bool CHidTransport::BindHidApi() {
    const HMODULE hModule = LoadHidLibrary();
    return hModule != nullptr && BindHidModule(m_api, hModule);
}

bool CHidTransport::FindDongle(DongleDevice& device) {
    return FindDongleInterface(m_api, device);
}

bool CHidTransport::SendReport(DongleDevice device, const DongleReport& report) {
    if (m_api.pSetOutputReport == nullptr) {
        return false;
    }
    DongleReport outgoing = report;  // the call takes a writable buffer
    return m_api.pSetOutputReport(ToHandle(device.m_hDevice), outgoing.data(),
                                  static_cast<ULONG>(outgoing.size())) != 0;
}

bool CHidTransport::ReadDongleEvent(DongleDevice device, DongleEvent& event) {
    const HANDLE hDevice = ToHandle(device.m_hDevice);
    DongleReport buffer = MakeReadBuffer();
    const HANDLE hEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (hEvent == nullptr) {
        Sleep(kReadWaitMs);  // keeps the cycle's pace as if the dongle were silent
        return false;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = hEvent;
    // A read refused at once never sets the event, and ends with the wait below.
    const bool bIssued =
        ReadFile(hDevice, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped) ||
        GetLastError() == ERROR_IO_PENDING;
    const bool bCompleted = WaitForSingleObject(hEvent, kReadWaitMs) == WAIT_OBJECT_0;
    if (!bCompleted && bIssued) {
        AbandonRead(hDevice, overlapped);
    }
    CloseHandle(hEvent);
    if (!bCompleted) {
        return false;
    }
    DecodeDongleEvent(buffer, event);
    return true;
}

bool CHidTransport::ReadProductString(DongleDevice device, WideText& text) {
    if (m_api.pGetProductString == nullptr) {
        return false;
    }
    std::array<wchar_t, kMaxProductNameLength> buffer{};  // 50 bytes
    if (!m_api.pGetProductString(ToHandle(device.m_hDevice), buffer.data(),
                                 static_cast<ULONG>(sizeof(buffer)))) {
        return false;
    }
    const auto end = std::find(buffer.begin(), buffer.end(), L'\0');
    text.assign(buffer.begin(), end);
    return true;
}

void CHidTransport::CloseDongle(DeviceHandle hDevice) {
    CloseHandle(ToHandle(hDevice));
}

}  // namespace sonvik::windows_hid
