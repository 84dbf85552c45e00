#include "phone/current_call_list.h"

#include <gtest/gtest.h>

#include "phone/phone_fixture.h"

namespace sonvik {
namespace {

using test::PhoneTest;
using test::Report;

DongleReport Entry(int nIndex, int nDirection, int nStatus) {
    return Report({2, 9, 0, nIndex, nDirection, nStatus, 0, 0, 0, 0});
}

TEST_F(PhoneTest, CallListInEveryState) {
    const DongleReport kComplete = Report({2, 8, 2});
    const std::vector<DongleReport> kLists[kCallStateCount] = {
        /* NoCall */ {kComplete},
        /* IncomingCall */ {Entry(1, 1, 4), kComplete},
        /* OutgoingCall */ {Entry(1, 0, 2), kComplete},
        /* ActiveCall */ {Entry(1, 1, 0), kComplete},
        /* ActiveCallWithWaiting */ {Entry(1, 1, 4), Entry(2, 1, 0), kComplete},
        /* ActiveCallWithHeld */ {Entry(1, 1, 1), Entry(2, 1, 0), kComplete},
        /* HeldCall */ {Entry(1, 1, 1), kComplete},
    };
    for (int nState = 0; nState < kCallStateCount; ++nState) {
        g_nCallState = static_cast<CallState>(nState);
        g_pszCallerNumber = g_szWaitingNumber;
        // Asked twice: the same reply, and the phone unchanged.
        for (int nRound = 0; nRound < 2; ++nRound) {
            SendCurrentCallList(m_transport, m_device);
            EXPECT_EQ(TakeSent(), kLists[nState]) << "state " << nState << ", round " << nRound;
        }
        EXPECT_EQ(g_nCallState, nState);
        EXPECT_EQ(g_pszCallerNumber, g_szWaitingNumber);
    }
}

TEST_F(PhoneTest, CallListOfACallPlacedOutgoingShowsItIncomingOnceActive) {
    HandlePlaceOutgoingCall(m_transport, m_device);
    HandleAnswerCall(m_transport, m_device);
    TakeSent();
    SendCurrentCallList(m_transport, m_device);
    EXPECT_EQ(TakeSent().front(), Entry(1, 1, 0));
}

TEST_F(PhoneTest, CallListGoesOnWhenEntriesAreNotDelivered) {
    g_nCallState = ActiveCallWithHeld;
    m_transport.m_bDeliver = false;
    SendCurrentCallList(m_transport, m_device);
    EXPECT_EQ(TakeSent().size(), 3u);
}

}  // namespace
}  // namespace sonvik
