#pragma once

#include "protocol/dongle_report.h"

namespace sonvik::test {

// True when the report is one the host may send: a known command with a known sub-code, fields
// in range, and every byte the command does not define zero.
bool IsCatalogueReport(const DongleReport& report);

}  // namespace sonvik::test
