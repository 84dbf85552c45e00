#include "phone/call_state_machine.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/string_table.h"
#include "phone/phone_fixture.h"

namespace sonvik {
namespace {

using test::CallStatusReport;
using test::PhoneTest;
using test::Report;

constexpr int kIgnored = -1;

struct TriggerColumn {
    const char* pszName;
    void (*pHandle)(ITransport&, DongleDevice);
};

const TriggerColumn kTriggers[] = {
    {"PlaceIncomingCall", HandlePlaceIncomingCall},
    {"PlaceOutgoingCall", HandlePlaceOutgoingCall},
    {"AnswerCall", HandleAnswerCall},
    {"EndCall", HandleEndCall},
    {"HoldCall", HandleHoldCall},
    {"HfAnswer", HandleHfAnswer},
    {"HfHangUp", HandleHfHangUp},
    {"HfDial", HandleHfDial},
};

// The new state for every state (rows) and trigger (columns, in the order above).
constexpr int kMatrix[kCallStateCount][8] = {
    /* NoCall */ {IncomingCall, OutgoingCall, kIgnored, kIgnored, kIgnored, kIgnored, kIgnored,
                  OutgoingCall},
    /* IncomingCall */
    {kIgnored, kIgnored, ActiveCall, NoCall, kIgnored, ActiveCall, NoCall, kIgnored},
    /* OutgoingCall */
    {kIgnored, kIgnored, ActiveCall, NoCall, kIgnored, kIgnored, NoCall, kIgnored},
    /* ActiveCall */
    {ActiveCallWithWaiting, kIgnored, kIgnored, NoCall, HeldCall, kIgnored, NoCall, kIgnored},
    /* ActiveCallWithWaiting */
    {kIgnored, kIgnored, ActiveCallWithHeld, IncomingCall, kIgnored, ActiveCall, IncomingCall,
     kIgnored},
    /* ActiveCallWithHeld */
    {kIgnored, kIgnored, kIgnored, ActiveCall, kIgnored, kIgnored, IncomingCall, kIgnored},
    /* HeldCall */ {kIgnored, kIgnored, kIgnored, NoCall, ActiveCall, kIgnored, NoCall, kIgnored},
};

TEST_F(PhoneTest, EveryStateAgainstEveryTrigger) {
    for (int nFrom = 0; nFrom < kCallStateCount; ++nFrom) {
        for (int nColumn = 0; nColumn < 8; ++nColumn) {
            const TriggerColumn& trigger = kTriggers[nColumn];
            SCOPED_TRACE(testing::Message() << "state " << nFrom << ", " << trigger.pszName);
            // Start with the waiting number current, so that a placed call's number shows.
            g_nCallState = static_cast<CallState>(nFrom);
            g_pszCallerNumber = g_szWaitingNumber;

            trigger.pHandle(m_transport, m_device);

            const int nTo = kMatrix[nFrom][nColumn];
            const auto sent = TakeSent();
            if (nTo == kIgnored) {
                EXPECT_EQ(g_nCallState, nFrom);
                EXPECT_TRUE(sent.empty());
                EXPECT_EQ(g_pszCallerNumber, g_szWaitingNumber);
                continue;
            }
            const bool bPlacesIncoming = nColumn == 0 && nFrom == NoCall;
            const char* pszNumber = bPlacesIncoming ? g_szIncomingNumber : g_szWaitingNumber;
            const bool bCarriesNumber = nTo == IncomingCall || nTo == ActiveCallWithWaiting;
            EXPECT_EQ(g_nCallState, nTo);
            EXPECT_EQ(g_pszCallerNumber, pszNumber);
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0], CallStatusReport(static_cast<CallState>(nTo),
                                                bCarriesNumber ? pszNumber : nullptr));
        }
    }
}

TEST_F(PhoneTest, StateStandsWhenTheReportIsNotDelivered) {
    m_transport.m_bDeliver = false;
    HandlePlaceIncomingCall(m_transport, m_device);
    EXPECT_EQ(g_nCallState, IncomingCall);
}

TEST_F(PhoneTest, CallerNumberFollowsTheWaitingCall) {
    HandlePlaceIncomingCall(m_transport, m_device);
    HandleAnswerCall(m_transport, m_device);
    HandlePlaceIncomingCall(m_transport, m_device);
    HandleEndCall(m_transport, m_device);
    EXPECT_EQ(TakeSent(), (std::vector{CallStatusReport(IncomingCall, g_szIncomingNumber),
                                       CallStatusReport(ActiveCall),
                                       CallStatusReport(ActiveCallWithWaiting, g_szWaitingNumber),
                                       CallStatusReport(IncomingCall, g_szWaitingNumber)}));

    // A dongle opened now hears the waiting number too, until a call is placed from NoCall.
    AnnounceCallState(m_transport, m_device);
    EXPECT_EQ(TakeSent(), std::vector{CallStatusReport(IncomingCall, g_szWaitingNumber)});
    HandleHfHangUp(m_transport, m_device);
    HandlePlaceIncomingCall(m_transport, m_device);
    EXPECT_EQ(TakeSent().back(), CallStatusReport(IncomingCall, g_szIncomingNumber));
}

TEST_F(PhoneTest, ReannouncementInEveryStateChangesNothing) {
    for (int nState = 0; nState < kCallStateCount; ++nState) {
        g_nCallState = static_cast<CallState>(nState);
        g_pszCallerNumber = g_szWaitingNumber;
        AnnounceCallState(m_transport, m_device);
        const bool bCarriesNumber = nState == IncomingCall || nState == ActiveCallWithWaiting;
        EXPECT_EQ(TakeSent(),
                  std::vector{CallStatusReport(static_cast<CallState>(nState),
                                               bCarriesNumber ? g_szWaitingNumber : nullptr)})
            << nState;
        EXPECT_EQ(g_nCallState, nState);
        EXPECT_EQ(g_pszCallerNumber, g_szWaitingNumber);
    }
}

TEST_F(PhoneTest, StateTextsComeFromTheStringTable) {
    const char16_t* kTexts[kCallStateCount] = {u"No Call",
                                               u"Incoming Call",
                                               u"Outgoing Call",
                                               u"Active Call",
                                               u"Active Call with Call Waiting",
                                               u"Active Call with Call Held",
                                               u"Held Call"};
    for (int nState = 0; nState < kCallStateCount; ++nState) {
        g_nCallState = static_cast<CallState>(nState);
        EXPECT_EQ(GetCallStateText(), kTexts[nState]);
    }
}

DongleEvent MemoryDial(const char* pszDigits) {
    DongleEvent event;
    event.Command = HandsFreeRequest;
    event.PayloadCount = kEventPayloadCount;
    event.Payload[0] = HfMemoryDial;
    const std::size_t nLength = std::strlen(pszDigits);
    event.Payload[1] = static_cast<int>(nLength);
    for (std::size_t i = 0; i < nLength; ++i) {
        event.Payload[2 + i] = static_cast<unsigned char>(pszDigits[i]);
    }
    return event;
}

TEST_F(PhoneTest, MemoryDialIsAcceptedOnlyForThePanelsLocation) {
    const DongleReport kAccepted = Report({2, 8, 0});
    const DongleReport kRejected = Report({2, 7, 0});
    const DongleReport kDialling = CallStatusReport(OutgoingCall);
    const struct {
        const char* pszName;
        CallState nFrom;
        const char* pszDigits;
        std::uint32_t nPanel;
        std::vector<DongleReport> expected;
        CallState nAfter;
    } kCases[] = {
        {"match places the call", NoCall, "007", 7, {kAccepted, kDialling}, OutgoingCall},
        {"empty field and no digits", NoCall, "", 0, {kAccepted, kDialling}, OutgoingCall},
        {"empty field and zero", NoCall, "0", 0, {kAccepted, kDialling}, OutgoingCall},
        {"mismatch", NoCall, "8", 7, {kRejected}, NoCall},
        {"accepted during a call", ActiveCall, "7", 7, {kAccepted}, ActiveCall},
        {"rejected during a call", HeldCall, "1", 2, {kRejected}, HeldCall},
        {"compared as 32-bit patterns",
         NoCall,
         "-1",
         0xFFFFFFFFu,
         {kAccepted, kDialling},
         OutgoingCall},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        g_nCallState = c.nFrom;
        m_panel.m_nMemoryLocation = c.nPanel;
        HandleHfMemoryDial(m_transport, m_panel, m_device, MemoryDial(c.pszDigits));
        EXPECT_EQ(TakeSent(), c.expected);
        EXPECT_EQ(g_nCallState, c.nAfter);
    }
}

TEST_F(PhoneTest, LastNumberRedialFollowsTheBox) {
    m_panel.m_bLastDial = false;
    HandleHfLastNumberRedial(m_transport, m_panel, m_device);
    EXPECT_EQ(TakeSent(), std::vector{Report({2, 7, 1})});
    EXPECT_EQ(g_nCallState, NoCall);

    m_panel.m_bLastDial = true;
    HandleHfLastNumberRedial(m_transport, m_panel, m_device);
    EXPECT_EQ(TakeSent(), (std::vector{Report({2, 8, 1}), CallStatusReport(OutgoingCall)}));

    HandleHfLastNumberRedial(m_transport, m_panel, m_device);  // during a call: acceptance only
    EXPECT_EQ(TakeSent(), std::vector{Report({2, 8, 1})});
    EXPECT_EQ(g_nCallState, OutgoingCall);
}

TEST_F(PhoneTest, HandlersSendOnTheDeviceTheyAreGiven) {
    HandlePlaceIncomingCall(m_transport, m_device);
    ASSERT_EQ(m_transport.m_devices.size(), 1u);
    EXPECT_EQ(m_transport.m_devices[0].m_hDevice, m_device.m_hDevice);
}

}  // namespace
}  // namespace sonvik
