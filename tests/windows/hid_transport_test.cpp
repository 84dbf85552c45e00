// The hid.dll transport under Wine: binding the real hid.dll and a partial one, discovery with no
// dongle, the timed read on a pipe that reads like the dongle's interface, and the calls that
// go through the bound table.
#include "hid/windows/hid_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "debug_capture.h"
#include "pipe_device.h"

namespace sonvik::windows_hid {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const char* const kEntryNames[] = {
    "HidD_GetHidGuid",     "HidD_GetAttributes",    "HidD_SetFeature",
    "HidD_GetFeature",     "HidD_GetProductString", "HidD_SetOutputReport",
    "HidD_GetInputReport", "HidD_GetPreparsedData", "HidP_GetCaps"};

int BoundEntries(const HidApi& api) {
    const void* entries[] = {reinterpret_cast<const void*>(api.pGetHidGuid),
                             reinterpret_cast<const void*>(api.pGetAttributes),
                             reinterpret_cast<const void*>(api.pSetFeature),
                             reinterpret_cast<const void*>(api.pGetFeature),
                             reinterpret_cast<const void*>(api.pGetProductString),
                             reinterpret_cast<const void*>(api.pSetOutputReport),
                             reinterpret_cast<const void*>(api.pGetInputReport),
                             reinterpret_cast<const void*>(api.pGetPreparsedData),
                             reinterpret_cast<const void*>(api.pGetCaps)};
    int nBound = 0;
    for (const void* pEntry : entries) {
        nBound += pEntry != nullptr ? 1 : 0;
    }
    return nBound;
}

milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(HidBinding, BindsAllNineEntriesOfTheSystemsHidDll) {
    test::DebugCapture capture;
    HidApi api;
    CHidTransport transport(api);
    EXPECT_TRUE(transport.BindHidApi());
    EXPECT_EQ(BoundEntries(api), 9);
    EXPECT_NE(api.pFreePreparsedData, nullptr);
    EXPECT_EQ(capture.Text(), "");
}

TEST(HidBinding, AnyMissingEntryIsReportedAndTheOthersStayBound) {
    const HMODULE hHid = LoadLibraryW(L"hid.dll");
    ASSERT_NE(hHid, nullptr);
    for (const char* pszMissing : kEntryNames) {
        SCOPED_TRACE(pszMissing);
        test::DebugCapture capture;
        HidApi api;
        const bool bBound = BindHidEntries(api, [&](const char* pszName) -> FARPROC {
            return std::strcmp(pszName, pszMissing) == 0 ? nullptr : GetProcAddress(hHid, pszName);
        });
        EXPECT_FALSE(bBound);
        EXPECT_EQ(BoundEntries(api), 8);
        EXPECT_EQ(capture.Text(), "Failed to obtain process address for some HID function\n");
    }
}

TEST(HidDiscovery, FindsNothingWhereNoDongleIsPresent) {
    HidApi api;
    CHidTransport transport(api);
    ASSERT_TRUE(transport.BindHidApi());
    for (const std::uint32_t nVendorId : {0x0A12u, 0x1'0A12u}) {
        DongleDevice device{nVendorId, 0x1004, kInvalidDeviceHandle};
        EXPECT_FALSE(transport.FindDongle(device));
        EXPECT_EQ(device.m_hDevice, kInvalidDeviceHandle);
    }
}

TEST(HidDiscovery, AnUnboundTableFindsNothing) {
    HidApi api;
    CHidTransport transport(api);
    DongleDevice device{0x0A12, 0x1004, kInvalidDeviceHandle};
    EXPECT_FALSE(transport.FindDongle(device));
    EXPECT_EQ(device.m_hDevice, kInvalidDeviceHandle);
}

class ReportIo : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_transport.BindHidApi()); }

    HidApi m_api;
    CHidTransport m_transport{m_api};
};

TEST_F(ReportIo, OnTheInvalidHandleTheReadWaitsOutItsTimeAndTheOthersFailAtOnce) {
    const DongleDevice none{0x0A12, 0x1004, kInvalidDeviceHandle};
    DongleEvent event{};
    event.Command = 77;
    auto start = Clock::now();
    EXPECT_FALSE(m_transport.ReadDongleEvent(none, event));
    const milliseconds waited = Since(start);
    EXPECT_GE(waited.count(), 390);
    EXPECT_LT(waited.count(), 2000);
    EXPECT_EQ(event.Command, 77);  // untouched

    start = Clock::now();
    WideText name = u"kept";
    EXPECT_FALSE(m_transport.SendReport(none, DongleReport{2, 2, 3}));
    EXPECT_FALSE(m_transport.ReadProductString(none, name));
    EXPECT_LT(Since(start).count(), 100);
    EXPECT_EQ(name, u"kept");
}

TEST_F(ReportIo, AnInputReportIsReadAtOnceAndDecodedWhateverItsFirstByte) {
    test::PipeDevice pipe;
    ASSERT_TRUE(pipe.IsOpen());
    std::vector<std::uint8_t> report(19, 0);
    report[0] = 7;  // not the report ID: decoded all the same
    report[1] = 1;
    report[2] = 3;
    report[18] = 0xEE;
    ASSERT_TRUE(pipe.Send(report));

    test::DebugCapture capture;
    DongleEvent event{};
    const auto start = Clock::now();
    ASSERT_TRUE(m_transport.ReadDongleEvent(pipe.Device(), event));
    EXPECT_LT(Since(start).count(), 300);
    EXPECT_EQ(event.Command, 1);
    EXPECT_EQ(event.PayloadCount, 17);
    EXPECT_EQ(event.Payload[0], 3);
    EXPECT_EQ(event.Payload[16], 0xEE);
    EXPECT_EQ(capture.Text().rfind("Input cmd: [1] [3] ", 0), 0u);
}

TEST_F(ReportIo, TheBytesAShortReportDoesNotCoverReadAsZero) {
    test::PipeDevice pipe;
    ASSERT_TRUE(pipe.IsOpen());
    ASSERT_TRUE(pipe.Send({2, 0, 4, 9, 9}));
    DongleEvent event{};
    event.Payload.fill(55);
    ASSERT_TRUE(m_transport.ReadDongleEvent(pipe.Device(), event));
    EXPECT_EQ(event.Command, 0);
    EXPECT_EQ(event.Payload[0], 4);
    EXPECT_EQ(event.Payload[2], 9);
    for (std::size_t i = 3; i < event.Payload.size(); ++i) {
        EXPECT_EQ(event.Payload[i], 0) << i;
    }
}

TEST_F(ReportIo, ATimedOutReadIsCancelledAndTakesNothingFromTheNextReport) {
    test::PipeDevice pipe;
    ASSERT_TRUE(pipe.IsOpen());
    DongleEvent event{};
    const auto start = Clock::now();
    EXPECT_FALSE(m_transport.ReadDongleEvent(pipe.Device(), event));
    EXPECT_GE(Since(start).count(), 390);

    // Had the abandoned read still been outstanding, it would have swallowed this report.
    std::vector<std::uint8_t> report(19, 0);
    report[0] = 2;
    report[1] = 2;
    report[2] = 1;
    ASSERT_TRUE(pipe.Send(report));
    ASSERT_TRUE(m_transport.ReadDongleEvent(pipe.Device(), event));
    EXPECT_EQ(event.Command, 2);
    EXPECT_EQ(event.Payload[0], 1);
}

// The value the next new handle gets. Freed handle slots are taken again lowest first, so any
// handle a read leaves open pushes this up. (Wine's process handle count is always 0.)
std::uintptr_t NextHandleValue() {
    const HANDLE hProbe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(hProbe);
    return reinterpret_cast<std::uintptr_t>(hProbe);
}

TEST_F(ReportIo, ThousandsOfReadsLeaveNoHandleBehind) {
    test::PipeDevice pipe;
    ASSERT_TRUE(pipe.IsOpen());
    const std::vector<std::uint8_t> report{2, 3, 1};
    const std::uintptr_t nBefore = NextHandleValue();
    DongleEvent event{};
    for (int i = 0; i < 5000; ++i) {
        ASSERT_TRUE(pipe.Send(report));
        ASSERT_TRUE(m_transport.ReadDongleEvent(pipe.Device(), event)) << i;
    }
    EXPECT_EQ(NextHandleValue(), nBefore);
}

// What the bound table's two report calls were handed, and what they answer.
struct FakeHid {
    static inline std::vector<std::uint8_t> sentBytes;
    static inline ULONG nLength = 0;
    static inline BOOLEAN nAnswer = TRUE;
    static inline std::u16string productName;

    static BOOLEAN NTAPI SetOutputReport(HANDLE, PVOID pBuffer, ULONG nBufferLength) {
        const auto* pBytes = static_cast<const std::uint8_t*>(pBuffer);
        sentBytes.assign(pBytes, pBytes + nBufferLength);
        nLength = nBufferLength;
        return nAnswer;
    }

    // Copies as much of the name as the buffer holds, with no terminator when it fills it.
    static BOOLEAN NTAPI GetProductString(HANDLE, PVOID pBuffer, ULONG nBufferLength) {
        nLength = nBufferLength;
        const std::size_t nBytes = std::min<std::size_t>(productName.size() * 2 + 2, nBufferLength);
        std::memcpy(pBuffer, productName.c_str(), nBytes);
        return nAnswer;
    }
};

class ReportCalls : public ::testing::Test {
  protected:
    void SetUp() override {
        m_api.pSetOutputReport = &FakeHid::SetOutputReport;
        m_api.pGetProductString = &FakeHid::GetProductString;
        FakeHid::nAnswer = TRUE;
    }

    HidApi m_api;
    CHidTransport m_transport{m_api};
    DongleDevice m_device{0x0A12, 0x1004, 0x1234};
};

TEST_F(ReportCalls, AnOutputReportGoesOutWholeAndItsAnswerIsPassedOn) {
    DongleReport report{};
    for (std::size_t i = 0; i < report.size(); ++i) {
        report[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    EXPECT_TRUE(m_transport.SendReport(m_device, report));
    EXPECT_EQ(FakeHid::nLength, 19u);
    EXPECT_EQ(FakeHid::sentBytes, std::vector<std::uint8_t>(report.begin(), report.end()));
    FakeHid::nAnswer = FALSE;
    EXPECT_FALSE(m_transport.SendReport(m_device, report));
}

TEST_F(ReportCalls, TheProductNameIsReadThroughFiftyBytesAndEndsAtItsTerminator) {
    struct Case {
        std::u16string reported;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"PELKO Dongle", u"PELKO Dongle"},
        {u"", u""},
        {u"ABCDEFGHIJKLMNOPQRSTUVWXY", u"ABCDEFGHIJKLMNOPQRSTUVWXY"},
        {u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", u"ABCDEFGHIJKLMNOPQRSTUVWXY"},
    };
    for (const Case& c : cases) {
        FakeHid::productName = c.reported;
        WideText text = u"old";
        ASSERT_TRUE(m_transport.ReadProductString(m_device, text));
        EXPECT_EQ(FakeHid::nLength, 50u);
        EXPECT_EQ(text, c.expected);
    }
    FakeHid::nAnswer = FALSE;
    WideText text = u"old";
    EXPECT_FALSE(m_transport.ReadProductString(m_device, text));
    EXPECT_EQ(text, u"old");
}

}  // namespace
}  // namespace sonvik::windows_hid
