#include "poll/poll_loop.h"

#include <gtest/gtest.h>

#include "phone/phone_fixture.h"
#include "poll/poll_fixture.h"
#include "support/debug_capture.h"

namespace sonvik {
namespace {

using test::CallStatusReport;
using test::DebugCapture;
using test::PollTest;
using test::Report;
using Reports = std::vector<DongleReport>;

class UnpluggedPollTest : public PollTest {
  protected:
    UnpluggedPollTest() : PollTest(false) {}
};

TEST_F(UnpluggedPollTest, SearchingCycleShowsTheSearchAndPauses) {
    DebugCapture capture;
    Cycle();
    EXPECT_EQ(m_panel.m_usbName, std::vector<WideText>{u"*** Searching for USB Device ***"});
    EXPECT_EQ(m_panel.m_dongleState, std::vector<WideText>{u""});
    EXPECT_EQ(m_panel.m_audioState, std::vector<WideText>{u""});
    EXPECT_EQ(m_panel.m_callState, std::vector<WideText>{u"No Call"});
    EXPECT_EQ(m_pauses, std::vector{std::chrono::milliseconds(250)});
    EXPECT_FALSE(m_app.HasDevice());
    EXPECT_EQ(capture.Text(), "");
}

TEST_F(PollTest, OpeningSynchronisesTheDongleReportByReport) {
    m_panel.m_nSignal = 300;
    m_panel.m_nBattery = 7;
    m_panel.m_operator = u"Vexmor";
    m_panel.m_bAvailable = true;
    m_panel.m_bRoaming = false;
    Cycle();
    EXPECT_EQ(m_dongle.SentReports(),
              (Reports{Report({2, 0, 1}), Report({2, 2, 0}), Report({2, 1, 0}), Report({2, 5, 0}),
                       Report({2, 3, 0, 44}), Report({2, 4, 0, 7}),
                       Report({2, 6, 0, 6, 'V', 'e', 'x', 'm', 'o', 'r'}), Report({2, 6, 1, 1}),
                       Report({2, 6, 2, 0})}));
    // The opening cycle goes on as an open one: the name is shown, nobody paused.
    EXPECT_EQ(m_panel.m_usbName.back(), u"Test Dongle");
    EXPECT_TRUE(m_pauses.empty());
}

TEST_F(PollTest, APanelWithoutAWindowSynchronisesZeros) {
    Cycle();  // the fake panel starts with every value 0, empty and false
    EXPECT_EQ(m_dongle.SentReports(),
              (Reports{Report({2, 0, 1}), Report({2, 2, 0}), Report({2, 1, 0}), Report({2, 5, 0}),
                       Report({2, 3, 0, 0}), Report({2, 4, 0, 0}), Report({2, 6, 0, 0}),
                       Report({2, 6, 1, 0}), Report({2, 6, 2, 0})}));
}

TEST_F(UnpluggedPollTest, RequestsRaisedWithoutADongleAreDroppedOnOpening) {
    Raise(PlaceIncomingCall);
    Raise(EnterDut);
    Cycle();
    m_dongle.Plug();
    Cycle(2);
    const Reports sent = m_dongle.SentReports();
    ASSERT_EQ(sent.size(), 9u);  // the synchronisation alone
    EXPECT_EQ(g_nCallState, NoCall);
    EXPECT_FALSE(m_panel.m_bRequest.IsRaised(PlaceIncomingCall));
}

TEST_F(PollTest, RequestsOfOneCycleRunInRequestOrder) {
    OpenDongle();
    Raise(AnswerCall);
    Raise(PlaceIncomingCall);
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports(),
              (Reports{CallStatusReport(IncomingCall, g_szIncomingNumber),
                       CallStatusReport(ActiveCall)}));

    Raise(EndCall);
    Raise(PlaceIncomingCall);
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports(),
              (Reports{CallStatusReport(ActiveCallWithWaiting, g_szWaitingNumber),
                       CallStatusReport(IncomingCall, g_szWaitingNumber)}));
    EXPECT_EQ(m_panel.m_callState.back(), u"Active Call");  // the text of the cycle's start
    Cycle();
    EXPECT_EQ(m_panel.m_callState.back(), u"Incoming Call");
}

TEST_F(PollTest, EveryRequestSendsItsReport) {
    OpenDongle();
    m_panel.m_nSignal = 3;
    m_panel.m_nBattery = 260;
    m_panel.m_operator = u"Op";
    m_panel.m_bAvailable = true;
    m_panel.m_bRoaming = true;
    m_panel.m_bVoiceRecognition = true;
    for (int i = 0; i < kPanelRequestCount; ++i) {
        Raise(static_cast<PanelRequest>(i));
    }
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports(),
              (Reports{Report({2, 1, 2}), Report({2, 1, 1}), Report({2, 1, 3}), Report({2, 1, 4}),
                       Report({2, 1, 5}), Report({2, 1, 6}),
                       CallStatusReport(IncomingCall, g_szIncomingNumber),  // outgoing: ignored
                       CallStatusReport(ActiveCall), CallStatusReport(NoCall), Report({2, 3, 0, 3}),
                       Report({2, 4, 0, 4}), Report({2, 5, 1}), Report({2, 6, 0, 2, 'O', 'p'}),
                       Report({2, 6, 1, 1}), Report({2, 6, 2, 1}),
                       Report({2, 10, 1})}));  // hold in NoCall: ignored
    for (int i = 0; i < kPanelRequestCount; ++i) {
        EXPECT_FALSE(m_panel.m_bRequest.IsRaised(static_cast<PanelRequest>(i))) << i;
    }
}

// A panel whose signal field is read while the operator clicks "Send" once more.
class ClickDuringActionPanel : public test::FakePanel {
  public:
    std::uint32_t GetSignalStrength() override {
        if (m_nClicksLeft-- > 0) {
            m_bRequest.Raise(SendSignal);
        }
        return 1;
    }
    int m_nClicksLeft = 0;
};

TEST_F(PollTest, AClickWhileItsActionRunsIsCarriedOutNextCycle) {
    ClickDuringActionPanel panel;
    m_app.m_pDlg = &panel;
    OpenDongle();
    panel.m_nClicksLeft = 1;
    panel.m_bRequest.Raise(SendSignal);
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports().size(), 1u);
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports().size(), 1u);
    Cycle();
    EXPECT_TRUE(m_dongle.TakeSentReports().empty());
}

TEST_F(PollTest, TwoFailedNameReadsGiveTheDongleUpHoweverManyGoodOnesBetween) {
    OpenDongle();
    m_dongle.FailNextNameRead();
    Cycle(5);
    EXPECT_TRUE(m_app.HasDevice());
    EXPECT_EQ(m_app.m_nNameFailures, 1u);
    const WideText shownName = m_panel.m_usbName.back();

    m_dongle.FailNextNameRead();
    Raise(PlaceIncomingCall);
    DebugCapture capture;
    Cycle();
    // Given up, but the rest of the cycle ran: the request moved the phone, reaching nobody.
    EXPECT_FALSE(m_app.HasDevice());
    EXPECT_FALSE(m_dongle.IsOpen());
    EXPECT_EQ(m_app.m_nNameFailures, 0u);
    EXPECT_EQ(m_panel.m_usbName.back(), shownName);
    EXPECT_EQ(g_nCallState, IncomingCall);
    EXPECT_TRUE(m_dongle.TakeSentReports().empty());
    EXPECT_EQ(capture.Text(), "USB report not read\nState: 5\nAudio: 0\n");
    EXPECT_TRUE(m_pauses.empty());

    // The next cycle finds it again and tells it the phone's state.
    Cycle();
    EXPECT_TRUE(m_app.HasDevice());
    const Reports sent = m_dongle.TakeSentReports();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1], CallStatusReport(IncomingCall, g_szIncomingNumber));
}

TEST_F(PollTest, UnplugAndReplugKeepTheLastReportedStates) {
    OpenDongle();
    Input({2, 0, Connected});
    Cycle();
    Input({2, 2, 2});
    Cycle();
    EXPECT_EQ(m_panel.m_audioState.back(), u"Connected");
    Raise(PlaceOutgoingCall);
    Cycle();

    m_dongle.Unplug();
    Cycle(2);  // two failed name reads
    EXPECT_FALSE(m_app.HasDevice());
    Cycle();
    EXPECT_EQ(m_pauses.size(), 1u);

    m_dongle.TakeSentReports();
    m_dongle.Plug();
    m_panel.m_dongleState.clear();
    m_panel.m_audioState.clear();
    Cycle();
    EXPECT_EQ(m_dongle.TakeSentReports()[1], CallStatusReport(OutgoingCall));
    EXPECT_EQ(m_panel.m_dongleState.back(), u"Connected");
    EXPECT_EQ(m_panel.m_audioState.back(), u"Connected");
}

TEST_F(PollTest, StateAndAudioTexts) {
    OpenDongle();
    EXPECT_EQ(m_panel.m_dongleState.back(), u"");  // nothing reported yet
    const struct {
        int nDongleState;
        int nAudioState;
        const char16_t* pszState;
        const char16_t* pszAudio;
    } kCases[] = {
        {Inquiring, 2, u"Inquiring (Searching for device)", u""},
        {InquiryScan, 1, u"Inquiry Scan (Discoverable)", u""},
        {Paging, 2, u"Paging (Connecting to device)", u""},
        {PageScan, 2, u"Page Scan (Connectable)", u""},
        {Connected, 2, u"Connected", u"Connected"},
        {Connected, 1, u"Connected", u"Disconnected"},
        {Connected, 0, u"Connected", u""},
        {Connected, 3, u"Connected", u""},
        {Connected, 255, u"Connected", u""},
        {5, 2, u"", u""},
        {6, 2, u"", u""},
        {255, 1, u"", u""},
    };
    for (const auto& c : kCases) {
        Input({2, DongleStateReport, c.nDongleState});
        Cycle();
        Input({2, AudioStateReport, c.nAudioState});
        DebugCapture capture;
        Cycle();
        EXPECT_EQ(m_panel.m_dongleState.back(), c.pszState) << c.nDongleState;
        EXPECT_EQ(m_panel.m_audioState.back(), c.pszAudio)
            << c.nDongleState << "/" << c.nAudioState;
        EXPECT_NE(capture.Text().find("State: " + std::to_string(c.nDongleState) +
                                      "\nAudio: " + std::to_string(c.nAudioState) + "\n"),
                  std::string::npos);
    }
    EXPECT_TRUE(m_dongle.SentReports().empty());
}

TEST_F(PollTest, AtMostOneInputReportPerCycle) {
    OpenDongle();
    Input({2, 0, 1});
    Input({2, 0, 2});
    Cycle();
    EXPECT_EQ(m_app.m_nDongleState, 1);
    EXPECT_EQ(m_dongle.QueuedInputCount(), 1u);
}

TEST_F(PollTest, EveryEventReachesItsHandlerOrNothing) {
    const struct {
        const char* pszName;
        CallState nFrom;
        DongleReport input;
        Reports expected;
        CallState nAfter;
    } kCases[] = {
        {"answer",
         IncomingCall,
         Report({2, 1, HfAnswer}),
         {CallStatusReport(ActiveCall)},
         ActiveCall},
        {"hang up", ActiveCall, Report({2, 1, HfHangUp}), {CallStatusReport(NoCall)}, NoCall},
        {"dial",
         NoCall,
         Report({2, 1, HfDial, 9, 9}),
         {CallStatusReport(OutgoingCall)},
         OutgoingCall},
        {"memory dial",
         NoCall,
         Report({2, 1, HfMemoryDial, 1, '4'}),
         {Report({2, 8, 0}), CallStatusReport(OutgoingCall)},
         OutgoingCall},
        {"memory dial refused",
         NoCall,
         Report({2, 1, HfMemoryDial, 1, '5'}),
         {Report({2, 7, 0})},
         NoCall},
        {"redial",
         NoCall,
         Report({2, 1, HfLastNumberRedial}),
         {Report({2, 8, 1}), CallStatusReport(OutgoingCall)},
         OutgoingCall},
        {"call list",
         HeldCall,
         Report({2, 1, HfListCurrentCalls}),
         {Report({2, 9, 0, 1, 1, 1}), Report({2, 8, 2})},
         HeldCall},
        {"unknown hands-free request", IncomingCall, Report({2, 1, 6}), {}, IncomingCall},
        {"highest hands-free request", IncomingCall, Report({2, 1, 255}), {}, IncomingCall},
        {"unknown command", IncomingCall, Report({2, 4, 0}), {}, IncomingCall},
        {"command 7", IncomingCall, Report({2, 7, 1}), {}, IncomingCall},
        {"highest command", IncomingCall, Report({2, 255, 0}), {}, IncomingCall},
        {"report id not examined",
         IncomingCall,
         Report({9, 1, HfAnswer}),
         {CallStatusReport(ActiveCall)},
         ActiveCall},
    };
    m_panel.m_nMemoryLocation = 4;
    m_panel.m_bLastDial = true;
    OpenDongle();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        g_nCallState = c.nFrom;
        m_dongle.QueueInputReport(c.input);
        Cycle();
        EXPECT_EQ(m_dongle.TakeSentReports(), c.expected);
        EXPECT_EQ(g_nCallState, c.nAfter);
        EXPECT_EQ(m_app.m_nDongleState, NotReported);
        EXPECT_EQ(m_app.m_nAudioState, 0);
    }
}

TEST_F(PollTest, VoiceRecognitionReportSetsTheBoxWithoutARequest) {
    OpenDongle();
    Input({2, VoiceRecognitionReport, 7});
    Cycle();
    EXPECT_TRUE(m_panel.m_bVoiceRecognition);
    Input({2, VoiceRecognitionReport, 0});
    Cycle();
    EXPECT_FALSE(m_panel.m_bVoiceRecognition);
    EXPECT_FALSE(m_panel.m_bRequest.IsRaised(ToggleVoiceRecognition));
    EXPECT_TRUE(m_dongle.SentReports().empty());
}

TEST_F(PollTest, OpenCycleWritesItsDiagnosticLines) {
    OpenDongle();
    DebugCapture capture;
    Cycle();
    Input({2, 0, 4});
    Cycle();
    EXPECT_EQ(capture.Text(),
              "USB report not read\nState: 5\nAudio: 0\n"
              "Input cmd: [0] [4] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] [0] "
              "[0] \nState: 4\nAudio: 0\n");
}

TEST_F(UnpluggedPollTest, LoopRunsWhileTheFlagIsSetAndReturnsZero) {
    m_app.m_bRunning = 0;
    EXPECT_EQ(PollLoop(m_app), 0);
    EXPECT_TRUE(m_panel.m_callState.empty());  // tested before the first cycle

    int nCycles = 0;
    m_app.m_bRunning = 1;
    m_app.m_sleep = [&](std::chrono::milliseconds) {
        if (++nCycles == 3) {
            m_app.m_bRunning = 0;  // cleared within a cycle: that cycle still ends
        }
    };
    EXPECT_EQ(PollLoop(m_app), 0);
    EXPECT_EQ(nCycles, 3);
    EXPECT_EQ(m_panel.m_callState.size(), 3u);
}

}  // namespace
}  // namespace sonvik
