#include "support/catalogue.h"

#include <gtest/gtest.h>

#include "support/report_builder.h"

namespace sonvik::test {
namespace {

// The fuzzer's oracle must reject what the host never sends, or it proves nothing.
TEST(Catalogue, RejectsReportsTheHostNeverSends) {
    const DongleReport kRejected[] = {
        Report({3, 0, 1}),                          // wrong report ID
        Report({2, 11, 0}),                         // unknown command
        Report({2, 0, 2}),                          // presence is a flag
        Report({2, 1, 7}),                          // no such device state
        Report({2, 2, 7}),                          // no such call state
        Report({2, 2, 3, 0x81}),                    // a number where none travels
        Report({2, 2, 1, 0x81, 9, '1'}),            // an unknown number
        Report({2, 3, 1, 5}),                       // levels carry sub-code 0
        Report({2, 3, 0, 5, 1}),                    // a byte past the level
        Report({2, 6, 0, 2, 'a', 'b', 'c'}),        // more characters than counted
        Report({2, 6, 0, 16}),                      // more than the frame holds
        Report({2, 6, 1, 2}),                       // flags are 0 or 1
        Report({2, 7, 2}),                          // the call list is never refused
        Report({2, 9, 0, 3, 1, 0}),                 // a third call
        Report({2, 9, 0, 1, 1, 3}),                 // no such call status
        Report({2, 9, 0, 1, 1, 0, 0, 0, 0x81, 1}),  // the list never carries a number
    };
    for (const DongleReport& report : kRejected) {
        EXPECT_FALSE(IsCatalogueReport(report)) << int{report[1]} << "/" << int{report[2]};
    }
    EXPECT_TRUE(
        IsCatalogueReport(Report({2, 2, 4, 0x81, 9, '"', '7', '6', '5', '4', '3', '2', '1', '"'})));
    EXPECT_TRUE(IsCatalogueReport(Report({2, 6, 0, 2, 'a', 'b'})));
    EXPECT_TRUE(IsCatalogueReport(Report({2, 9, 0, 2, 1, 4})));
}

}  // namespace
}  // namespace sonvik::test
