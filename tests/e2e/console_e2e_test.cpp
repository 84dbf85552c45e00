// The built program itself, driven through standard input and output as a script drives it:
// call flows as tables of lines, each a command and the lines it must bring, in order.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "program_under_test.h"

namespace sonvik::e2e {
namespace {

struct Step {
    const char* pszSend;
    std::vector<const char*> expected;  // each the start of the next line of output
};

const char* const kIncoming = "out 02 02 01 81 09 22 31 32 33 34 35 36 37 22 00 00 00 00 00";
const char* const kWaiting = "out 02 02 04 81 09 22 37 36 35 34 33 32 31 22 00 00 00 00 00";
const char* const kNoCall = "out 02 02 00 00";
const char* const kOutgoing = "out 02 02 02 00";
const char* const kActive = "out 02 02 03 00";
const std::vector<const char*> kPanelIdle = {"panel usb Sonvik Simulated Dongle", "panel state ",
                                             "panel call No Call", "panel audio "};

class ConsoleE2e : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> args = {"--simulate", "--console"}) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        m_program = std::make_unique<CProgramUnderTest>(SONVIK_PROGRAM, args);
    }

    // The synchronisation of a newly opened dongle, with the call state it announces.
    void ExpectSynchronisation(const char* pszCallStatus) {
        ExpectLine("out 02 00 01 00");
        ExpectLine(pszCallStatus);
        for (const char* pszNext : {"out 02 01 00", "out 02 05 00", "out 02 03 00", "out 02 04 00",
                                    "out 02 06 00", "out 02 06 01", "out 02 06 02"}) {
            ExpectLine(pszNext);
        }
    }

    void ExpectLine(const std::string& start) {
        const auto line = m_program->ReadLine();
        ASSERT_TRUE(line) << "no line; expected " << start;
        EXPECT_EQ(line->substr(0, start.size()), start) << "the whole line: " << *line;
    }

    void Run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.pszSend);
            m_program->Send(step.pszSend);
            for (const char* pszExpected : step.expected) {
                ExpectLine(pszExpected);
            }
        }
    }

    // The fields are written once per poll cycle, so they may lag a command by up to a cycle:
    // asks again until they read as expected.
    void ExpectPanelSoon(const std::vector<const char*>& expected) {
        std::vector<std::string> lines;
        for (int nTry = 0; nTry < 40; ++nTry) {
            m_program->Send("panel");
            lines.clear();
            bool bMatch = true;
            for (const char* pszExpected : expected) {
                const auto line = m_program->ReadLine();
                ASSERT_TRUE(line);
                lines.push_back(*line);
                bMatch = bMatch && line->rfind(pszExpected, 0) == 0;
            }
            if (bMatch) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "the panel still reads " << lines.at(0) << " / " << lines.at(2);
    }

    void Quit() {
        Run({{"quit", {"out 02 00 00 00"}}});
        EXPECT_EQ(m_program->WaitForExit(std::chrono::seconds(5)), 0);
    }

    std::unique_ptr<CProgramUnderTest> m_program;
};

TEST_F(ConsoleE2e, ACallWithWaitingAndHold) {
    Start();
    ExpectSynchronisation(kNoCall);
    Run({
        {"press PlaceIncomingCall", {kIncoming}},
        {"hf answer", {kActive}},
        {"press HoldCall", {"out 02 02 06 00"}},
        {"hf clcc", {"out 02 09 00 01 01 01 00", "out 02 08 02 00"}},
        {"press HoldCall", {kActive}},
        {"press PlaceIncomingCall", {kWaiting}},
        {"hf clcc", {"out 02 09 00 01 01 04 00", "out 02 09 00 02 01 00 00", "out 02 08 02 00"}},
        {"press AnswerCall", {"out 02 02 05 00"}},
        {"hf clcc", {"out 02 09 00 01 01 01 00", "out 02 09 00 02 01 00 00", "out 02 08 02 00"}},
        {"hf hangup", {"out 02 02 01 81 09 22 37 36 35 34 33 32 31 22"}},  // the waiting number
        {"press EndCall", {kNoCall}},
        {"hf clcc", {"out 02 08 02 00"}},
    });
    ExpectPanelSoon(kPanelIdle);
    Quit();
}

TEST_F(ConsoleE2e, TheHandsFreeUnitsRequests) {
    Start();
    ExpectSynchronisation(kNoCall);
    Run({
        {"set memory 7", {}},
        {"hf memdial 007", {"out 02 08 00 00", kOutgoing}},
        {"hf dial", {}},  // during a call: no answer at all
        {"hf hangup", {kNoCall}},
        {"hf memdial 8", {"out 02 07 00 00"}},
        {"check lastdial off", {}},
        {"hf redial", {"out 02 07 01 00"}},
        {"check lastdial on", {}},
        {"hf redial", {"out 02 08 01 00", kOutgoing}},
        {"hf hangup", {kNoCall}},
        {"hf dial", {kOutgoing}},
        {"press AnswerCall", {kActive}},
        {"hf clcc", {"out 02 09 00 01 01 00 00", "out 02 08 02 00"}},
        {"set operator Vexmor Mobile", {}},
        {"press SendNetwork", {"out 02 06 00 09 56 65 78 6d 6f 72 20 4d 6f 00"}},
        {"set signal 300", {}},
        {"press SendSignal", {"out 02 03 00 2c 00"}},
        {"check vr on", {}},
        {"press ToggleRoam", {"out 02 06 02 01 00"}},  // a click toggles the box first
        {"press ToggleVoiceRecognition", {"out 02 0a 00 00"}},
        {"link 4", {}},
        {"audio 2", {}},
        {"vr 1", {}},
    });
    ExpectPanelSoon({"panel usb Sonvik Simulated Dongle", "panel state Connected",
                     "panel call Active Call", "panel audio Connected"});
    Run({{"press ToggleVoiceRecognition", {"out 02 0a 00 00"}}});  // the report checked it again
    Quit();
}

TEST_F(ConsoleE2e, UnplugAndReplugReannounceTheCall) {
    Start();
    ExpectSynchronisation(kNoCall);
    Run({
        {"press PlaceOutgoingCall", {kOutgoing}},
        {"namefail", {}},
        {"press EnterDfu", {"out 02 01 01 00"}},  // one failed name read changes nothing
        {"unplug", {}},
        {"press EndCall", {}},  // reaches no dongle, but the phone moves
        {"in 02 01 00", {"error the simulated dongle is not open"}},
        {"plug", {}},
    });
    // Found again: the synchronisation tells it the call ended while it was away.
    ExpectSynchronisation(kNoCall);
    Quit();
}

TEST_F(ConsoleE2e, MalformedCommandsAreRefusedAndChangeNothing) {
    Start();
    ExpectSynchronisation(kNoCall);
    Run({
        {"frobnicate", {"error unknown command 'frobnicate'"}},
        {"press Nothing", {"error press"}},
        {"press", {"error press"}},
        {"set signal x1", {"error the signal field takes digits only"}},
        {"set colour 5", {"error set"}},
        {"check roam maybe", {"error check"}},
        {"in", {"error in"}},
        {"in 2", {"error in"}},
        {"in zz", {"error in"}},
        {"in 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", {"error in"}},
        {"hf", {"error hf"}},
        {"hf memdial", {"error only memdial"}},
        {"hf answer now", {"error only memdial"}},
        {"link 256", {"error link"}},
        {"audio -1", {"error link"}},
        {"in 02 01 05", {"out 02 08 02 00"}},  // short reports fill with zeros
        {"press EnterDfu", {"out 02 01 01 00"}},
    });
    ExpectPanelSoon(kPanelIdle);  // nothing above changed the phone
    Quit();
}

TEST_F(ConsoleE2e, WithoutTheSimulatedDongleTheHandsFreeSideIsRefused) {
    Start({"--console", "--vid", "0xFFFE", "--pid", "0xFFFE"});
    Run({
        {"hf answer", {"error the hands-free side needs --simulate"}},
        {"unplug", {"error the hands-free side needs --simulate"}},
    });
    ExpectPanelSoon({"panel usb *** Searching for USB Device ***", "panel state",
                     "panel call No Call", "panel audio"});
    m_program->Send("quit");
    EXPECT_EQ(m_program->WaitForExit(std::chrono::seconds(5)), 0);
}

TEST_F(ConsoleE2e, EndOfInputDoesNotEndTheProgram) {
    Start();
    ExpectSynchronisation(kNoCall);
    m_program->CloseInput();
    EXPECT_FALSE(m_program->WaitForExit(std::chrono::milliseconds(1500)));
}

TEST_F(ConsoleE2e, AMalformedIdIsAnErrorNotASilentDefault) {
    Start({"--simulate", "--vid", "0x1FFFF"});
    EXPECT_EQ(m_program->WaitForExit(std::chrono::seconds(5)), 2);
}

}  // namespace
}  // namespace sonvik::e2e
