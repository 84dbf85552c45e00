#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "phone/call_state_machine.h"
#include "protocol/host_commands.h"
#include "support/fake_panel.h"
#include "support/recording_transport.h"
#include "support/report_builder.h"

namespace sonvik::test {

// Every case starts from a fresh process's phone, and reads back what went to the dongle.
class PhoneTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetCallState(); }
    void TearDown() override { ResetCallState(); }

    std::vector<DongleReport> TakeSent() {
        std::vector<DongleReport> sent;
        sent.swap(m_transport.m_sent);
        return sent;
    }

    RecordingTransport m_transport;
    FakePanel m_panel;
    DongleDevice m_device{0x0A12, 0x1004, 3};
};

// The CallStatus report that announces a state, with the number where one travels.
inline DongleReport CallStatusReport(CallState nState, const char* pszNumber = nullptr) {
    DongleReport report = Report({2, 2, nState});
    if (pszNumber != nullptr) {
        report[3] = 0x81;
        report[4] = 9;
        std::memcpy(&report[5], pszNumber, 9);
    }
    return report;
}

}  // namespace sonvik::test
