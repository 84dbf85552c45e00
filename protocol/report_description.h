#pragma once

#include <string>

#include "protocol/dongle_report.h"

namespace sonvik {

// A short reading of an output report for people: "CallStatus IncomingCall "1234567"".
std::string DescribeHostReport(const DongleReport& report);

// The report as "02 00 01 00 ..." : 19 lowercase hex pairs separated by single spaces.
std::string FormatReportBytes(const DongleReport& report);

}  // namespace sonvik
