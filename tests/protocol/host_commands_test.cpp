#include "protocol/host_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/catalogue.h"
#include "support/recording_transport.h"
#include "support/report_builder.h"

namespace sonvik {
namespace {

using test::RecordingTransport;
using test::Report;

using Sender = std::function<bool(ITransport&, DongleDevice)>;

struct CatalogueRow {
    const char* pszName;
    Sender send;
    DongleReport expected;
};

CallInfo Entry(int nIndex, int nDirection, int nStatus) {
    CallInfo entry;
    entry.Index = static_cast<std::uint8_t>(nIndex);
    entry.Direction = static_cast<std::uint8_t>(nDirection);
    entry.Status = static_cast<std::uint8_t>(nStatus);
    return entry;
}

// Every report the host ever sends, byte for byte.
const CatalogueRow kCatalogue[] = {
    {"host present", [](auto& t, auto d) { return SendHostPresence(t, d, true); },
     Report({2, 0, 1})},
    {"host leaving", [](auto& t, auto d) { return SendHostPresence(t, d, false); },
     Report({2, 0, 0})},
    {"device sync", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 0); },
     Report({2, 1, 0})},
    {"DFU", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 1); }, Report({2, 1, 1})},
    {"DUT", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 2); }, Report({2, 1, 2})},
    {"inquiry", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 3); }, Report({2, 1, 3})},
    {"inquiry scan", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 4); },
     Report({2, 1, 4})},
    {"page", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 5); }, Report({2, 1, 5})},
    {"page scan", [](auto& t, auto d) { return SendDeviceStateChange(t, d, 6); },
     Report({2, 1, 6})},
    {"no call", [](auto& t, auto d) { return SendCallStatus(t, d, NoCall); }, Report({2, 2, 0})},
    {"incoming call",
     [](auto& t, auto d) { return SendCallStatusWithNumber(t, d, IncomingCall, "\"1234567\""); },
     Report({2, 2, 1, 0x81, 9, 0x22, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x22})},
    {"outgoing call", [](auto& t, auto d) { return SendCallStatus(t, d, OutgoingCall); },
     Report({2, 2, 2})},
    {"active call", [](auto& t, auto d) { return SendCallStatus(t, d, ActiveCall); },
     Report({2, 2, 3})},
    {"waiting call",
     [](auto& t, auto d) {
         return SendCallStatusWithNumber(t, d, ActiveCallWithWaiting, "\"7654321\"");
     },
     Report({2, 2, 4, 0x81, 9, 0x22, 0x37, 0x36, 0x35, 0x34, 0x33, 0x32, 0x31, 0x22})},
    {"active with held", [](auto& t, auto d) { return SendCallStatus(t, d, ActiveCallWithHeld); },
     Report({2, 2, 5})},
    {"held call", [](auto& t, auto d) { return SendCallStatus(t, d, HeldCall); },
     Report({2, 2, 6})},
    {"signal", [](auto& t, auto d) { return SendSignalStrength(t, d, 5); }, Report({2, 3, 0, 5})},
    {"battery", [](auto& t, auto d) { return SendBatteryLevel(t, d, 255); },
     Report({2, 4, 0, 255})},
    {"audio sync", [](auto& t, auto d) { return SendAudioTransfer(t, d, 0); }, Report({2, 5, 0})},
    {"audio transfer", [](auto& t, auto d) { return SendAudioTransfer(t, d, 1); },
     Report({2, 5, 1})},
    {"operator", [](auto& t, auto d) { return SendNetworkOperator(t, d, u"Op"); },
     Report({2, 6, 0, 2, 'O', 'p'})},
    {"available", [](auto& t, auto d) { return SendNetworkAvailable(t, d, true); },
     Report({2, 6, 1, 1})},
    {"not available", [](auto& t, auto d) { return SendNetworkAvailable(t, d, false); },
     Report({2, 6, 1, 0})},
    {"roaming", [](auto& t, auto d) { return SendRoam(t, d, true); }, Report({2, 6, 2, 1})},
    {"not roaming", [](auto& t, auto d) { return SendRoam(t, d, false); }, Report({2, 6, 2, 0})},
    {"memory dial refused", [](auto& t, auto d) { return SendRequestRejected(t, d, 0); },
     Report({2, 7, 0})},
    {"redial refused", [](auto& t, auto d) { return SendRequestRejected(t, d, 1); },
     Report({2, 7, 1})},
    {"memory dial accepted", [](auto& t, auto d) { return SendRequestAccepted(t, d, 0); },
     Report({2, 8, 0})},
    {"redial accepted", [](auto& t, auto d) { return SendRequestAccepted(t, d, 1); },
     Report({2, 8, 1})},
    {"list complete", [](auto& t, auto d) { return SendRequestAccepted(t, d, 2); },
     Report({2, 8, 2})},
    {"list entry", [](auto& t, auto d) { return SendCallListEntry(t, d, Entry(2, 1, 4)); },
     Report({2, 9, 0, 2, 1, 4, 0, 0, 0, 0})},
    {"voice recognition on", [](auto& t, auto d) { return SendVoiceRecognition(t, d, true); },
     Report({2, 10, 1})},
    {"voice recognition off", [](auto& t, auto d) { return SendVoiceRecognition(t, d, false); },
     Report({2, 10, 0})},
};

TEST(HostCommands, EveryCatalogueReportIsExactlyItsNineteenBytes) {
    const DongleDevice device{0x1234, 0x1004, 7};
    for (const CatalogueRow& row : kCatalogue) {
        SCOPED_TRACE(row.pszName);
        RecordingTransport transport;
        EXPECT_TRUE(row.send(transport, device));
        ASSERT_EQ(transport.m_sent.size(), 1u);
        EXPECT_EQ(transport.m_sent[0], row.expected);
        EXPECT_EQ(transport.m_devices[0].m_hDevice, 7);
        EXPECT_TRUE(test::IsCatalogueReport(row.expected));  // the fuzzer's oracle agrees
    }
}

TEST(HostCommands, SenderAnswersWhatTheTransportAnswered) {
    RecordingTransport transport;
    transport.m_bDeliver = false;
    EXPECT_FALSE(SendHostPresence(transport, {}, true));
    EXPECT_FALSE(SendCallListEntry(transport, {}, Entry(1, 1, 0)));
    EXPECT_EQ(transport.m_sent.size(), 2u);
}

TEST(HostCommands, LevelsKeepTheirLowEightBits) {
    const struct {
        std::uint32_t nLevel;
        int nByte;
    } kCases[] = {{5, 5}, {255, 255}, {256, 0}, {300, 44}, {0xFFFFFFFFu, 255}};
    for (const auto& c : kCases) {
        RecordingTransport transport;
        SendSignalStrength(transport, {}, c.nLevel);
        SendBatteryLevel(transport, {}, c.nLevel);
        EXPECT_EQ(transport.m_sent[0], Report({2, 3, 0, c.nByte})) << c.nLevel;
        EXPECT_EQ(transport.m_sent[1], Report({2, 4, 0, c.nByte})) << c.nLevel;
    }
}

TEST(HostCommands, OperatorNameNarrowsEachCodeUnitToItsLowByte) {
    const struct {
        const char* pszName;
        WideText name;
        DongleReport expected;
    } kCases[] = {
        {"empty", u"", Report({2, 6, 0, 0})},
        {"nine", u"123456789", Report({2, 6, 0, 9, '1', '2', '3', '4', '5', '6', '7', '8', '9'})},
        {"latin-1", u"\u00e9", Report({2, 6, 0, 1, 0xE9})},
        {"beyond latin-1", u"\u0141", Report({2, 6, 0, 1, 0x41})},
        // U+1F600 is the surrogate pair D83D DE00: two code units, two bytes, count 2.
        {"surrogate pair", u"\U0001F600", Report({2, 6, 0, 2, 0x3D, 0x00})},
        {"fifteen", u"ABCDEFGHIJKLMNO",
         Report({2, 6, 0, 15, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N',
                 'O'})},
        {"longer than the frame is cut", u"ABCDEFGHIJKLMNOPQRST",
         Report({2, 6, 0, 15, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N',
                 'O'})},
    };
    for (const auto& c : kCases) {
        RecordingTransport transport;
        EXPECT_TRUE(SendNetworkOperator(transport, {}, c.name));
        EXPECT_EQ(transport.m_sent.at(0), c.expected) << c.pszName;
    }
}

TEST(HostCommands, CallListEntryCarriesOnlyTheNumberItsLengthNames) {
    CallInfo entry = Entry(1, 0, 2);
    entry.NumberType = 0x81;
    std::copy_n("987654321", 9, entry.Number);

    RecordingTransport transport;
    entry.NumberLength = 0;
    SendCallListEntry(transport, {}, entry);
    entry.NumberLength = 3;
    SendCallListEntry(transport, {}, entry);
    entry.NumberLength = 200;  // more than the frame holds: the frame carries 9 and says 9
    SendCallListEntry(transport, {}, entry);

    EXPECT_EQ(transport.m_sent[0], Report({2, 9, 0, 1, 0, 2, 0, 0, 0x81, 0}));
    EXPECT_EQ(transport.m_sent[1], Report({2, 9, 0, 1, 0, 2, 0, 0, 0x81, 3, '9', '8', '7'}));
    EXPECT_EQ(transport.m_sent[2], Report({2, 9, 0, 1, 0, 2, 0, 0, 0x81, 9, '9', '8', '7', '6', '5',
                                           '4', '3', '2', '1'}));
}

}  // namespace
}  // namespace sonvik
