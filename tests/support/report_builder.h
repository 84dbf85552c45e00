#pragma once

#include <cstdint>
#include <initializer_list>

#include "protocol/dongle_report.h"

namespace sonvik::test {

// A report from its leading bytes, the rest zero: how the tables in the tests read.
inline DongleReport Report(std::initializer_list<int> leading) {
    DongleReport report{};
    std::size_t i = 0;
    for (int nByte : leading) {
        report[i++] = static_cast<std::uint8_t>(nByte);
    }
    return report;
}

}  // namespace sonvik::test
