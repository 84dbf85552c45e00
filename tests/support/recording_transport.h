#pragma once

#include <vector>

#include "hid/transport.h"

namespace sonvik::test {

// A transport that keeps every output report and answers SendReport as told.
class RecordingTransport : public ITransport {
  public:
    bool BindHidApi() override { return true; }
    bool FindDongle(DongleDevice&) override { return false; }
    bool SendReport(DongleDevice device, const DongleReport& report) override {
        m_sent.push_back(report);
        m_devices.push_back(device);
        return m_bDeliver;
    }
    bool ReadDongleEvent(DongleDevice, DongleEvent&) override { return false; }
    bool ReadProductString(DongleDevice, WideText&) override { return false; }
    void CloseDongle(DeviceHandle) override {}

    std::vector<DongleReport> m_sent;
    std::vector<DongleDevice> m_devices;
    bool m_bDeliver = true;
};

}  // namespace sonvik::test
