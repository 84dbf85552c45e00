#include "protocol/dongle_event.h"

#include <gtest/gtest.h>

#include <regex>

#include "support/debug_capture.h"
#include "support/report_builder.h"

namespace sonvik {
namespace {

using test::DebugCapture;
using test::Report;

DongleEvent Decode(const DongleReport& report) {
    DongleEvent event;
    DecodeDongleEvent(report, event);
    return event;
}

TEST(DongleEvent, DecodesCommandAndSeventeenUnsignedPayloadValues) {
    const DongleEvent event = Decode(Report({2, 0, 4}));
    EXPECT_EQ(event.Command, DongleStateReport);
    EXPECT_EQ(event.PayloadCount, 17);
    EXPECT_EQ(event.Payload[0], 4);
    for (int i = 1; i < 17; ++i) {
        EXPECT_EQ(event.Payload[static_cast<std::size_t>(i)], 0);
    }

    DongleReport high{};
    for (std::size_t i = 0; i < high.size(); ++i) {
        high[i] = static_cast<std::uint8_t>(0xED + i);
    }
    const DongleEvent top = Decode(high);
    EXPECT_EQ(top.Command, 0xEE);
    for (std::size_t i = 0; i < 17; ++i) {
        EXPECT_EQ(top.Payload[i], static_cast<int>(0xEF + i) & 0xFF) << i;
    }
}

TEST(DongleEvent, ReportIdIsNotExamined) {
    const DongleEvent a = Decode(Report({2, 0, 4}));
    const DongleEvent b = Decode(Report({5, 0, 4}));
    EXPECT_EQ(a.Command, b.Command);
    EXPECT_EQ(a.Payload, b.Payload);
}

TEST(DongleEvent, ReadBufferIsReportIdThenZeros) {
    EXPECT_EQ(MakeReadBuffer(), Report({2}));
}

TEST(DongleEvent, TraceIsOneLineOfEighteenBracketedNumbersInNineteenPieces) {
    DebugCapture capture;
    Decode(Report({2, 1, 3, 2, 49, 50}));
    const auto pieces = capture.Pieces();
    ASSERT_EQ(pieces.size(), 19u);
    EXPECT_EQ(pieces[0], "Input cmd: [1] ");
    EXPECT_EQ(pieces[1], "[3] ");
    EXPECT_EQ(pieces[4], "[50] ");
    EXPECT_EQ(pieces[18], "\n");
    EXPECT_EQ(capture.Text(),
              "Input cmd: [1] [3] [2] [49] [50] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] "
              "[0] \n");
}

TEST(DongleEvent, TraceOfEveryByteValueStaysEighteenNumbers) {
    DebugCapture capture;
    DongleReport report{};
    report.fill(0xFF);
    Decode(report);
    const std::string text = capture.Text();
    const std::regex line(R"(Input cmd: \[255\] (\[255\] ){17}\n)");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

DongleEvent MemoryDial(std::initializer_list<int> characters, int nCount = -1) {
    DongleEvent event;
    event.Command = HandsFreeRequest;
    event.PayloadCount = kEventPayloadCount;
    event.Payload[0] = HfMemoryDial;
    event.Payload[1] = nCount >= 0 ? nCount : static_cast<int>(characters.size());
    std::size_t i = 2;
    for (int c : characters) {
        event.Payload[i++] = c;
    }
    return event;
}

TEST(DongleEvent, MemoryLocationParsesLikeASaturatedSignedDecimal) {
    const struct {
        const char* pszName;
        DongleEvent event;
        std::int32_t nExpected;
    } kCases[] = {
        {"leading zeros", MemoryDial({'0', '0', '7'}), 7},
        {"no characters", MemoryDial({}), 0},
        {"no digits", MemoryDial({'#', '*'}), 0},
        {"stops at a non-digit", MemoryDial({'1', '2', '#', '5'}), 12},
        {"zero byte ends the text", MemoryDial({'1', 0, '2'}), 1},
        {"only the counted characters", MemoryDial({'1', '2', '3'}, 2), 12},
        {"white space and plus", MemoryDial({' ', '\t', '+', '4', '2'}), 42},
        {"minus", MemoryDial({'-', '4', '2'}), -42},
        {"sign alone", MemoryDial({'-'}), 0},
        {"largest", MemoryDial({'2', '1', '4', '7', '4', '8', '3', '6', '4', '7'}), 2147483647},
        {"overflow to the top", MemoryDial({'9', '9', '9', '9', '9', '9', '9', '9', '9', '9', '9'}),
         2147483647},
        {"smallest", MemoryDial({'-', '2', '1', '4', '7', '4', '8', '3', '6', '4', '8'}),
         -2147483647 - 1},
        {"overflow to the bottom",
         MemoryDial({'-', '9', '9', '9', '9', '9', '9', '9', '9', '9', '9', '9'}), -2147483647 - 1},
        {"bytes taken as their low eight bits", MemoryDial({0x100 + '3'}), 3},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ParseMemoryLocation(c.event), c.nExpected) << c.pszName;
    }
}

TEST(DongleEvent, MemoryLocationNeverReadsPastThePayload) {
    // Fifteen digits fill the payload; a count above that, from a faulty device, reads no more.
    DongleEvent event =
        MemoryDial({'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5'});
    for (int nCount : {15, 16, 200, 255}) {
        event.Payload[1] = nCount;
        EXPECT_EQ(ParseMemoryLocation(event), 2147483647) << nCount;
    }
    DongleEvent shortOne = MemoryDial({'4', '2'});
    shortOne.Payload[1] = 255;  // the zeros after the digits end the text
    EXPECT_EQ(ParseMemoryLocation(shortOne), 42);
    shortOne.Payload[1] = -3;
    EXPECT_EQ(ParseMemoryLocation(shortOne), 0);
}

}  // namespace
}  // namespace sonvik
