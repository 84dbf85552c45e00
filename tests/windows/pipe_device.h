#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/dongle_device.h"

namespace sonvik::test {

// A stand-in for the dongle's interface that reads like one: a message-mode named pipe whose
// client end is opened overlapped, as discovery opens a HID interface. Each message written to
// the server end is one input report.
class PipeDevice {
  public:
    PipeDevice() {
        static int nPipe = 0;
        const std::wstring name = L"\\\\.\\pipe\\sonvik-test-" +
                                  std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++nPipe);
        m_hServer = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_MESSAGE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
        m_hClient = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
    }
    ~PipeDevice() {
        CloseHandle(m_hClient);
        CloseHandle(m_hServer);
    }
    PipeDevice(const PipeDevice&) = delete;
    PipeDevice& operator=(const PipeDevice&) = delete;

    bool IsOpen() const {
        return m_hServer != INVALID_HANDLE_VALUE && m_hClient != INVALID_HANDLE_VALUE;
    }

    bool Send(const std::vector<std::uint8_t>& bytes) {
        DWORD nWritten = 0;
        return WriteFile(m_hServer, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten,
                         nullptr) &&
               nWritten == bytes.size();
    }

    DongleDevice Device() const { return {0, 0, reinterpret_cast<DeviceHandle>(m_hClient)}; }

  private:
    HANDLE m_hServer = INVALID_HANDLE_VALUE;
    HANDLE m_hClient = INVALID_HANDLE_VALUE;
};

}  // namespace sonvik::test
