#include "app/console/console.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "app/panel_layout.h"
#include "app/panel_request_names.h"
#include "hid/simulated/simulated_dongle.h"
#include "protocol/dongle_event.h"
#include "protocol/report_description.h"

namespace sonvik {

namespace {

// Splits off the first word; the rest keeps its inner blanks.
std::string_view NextWord(std::string_view& text) {
    const auto nStart = text.find_first_not_of(' ');
    if (nStart == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(nStart);
    const auto nEnd = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, nEnd);
    text.remove_prefix(nEnd);
    return word;
}

std::string_view Rest(std::string_view text) {
    const auto nStart = text.find_first_not_of(' ');
    return nStart == std::string_view::npos ? std::string_view() : text.substr(nStart);
}

WideText Widen(std::string_view text) {
    WideText wide;
    for (const char c : text) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string Narrow(const WideText& text) {
    std::string narrow;
    for (const char16_t c : text) {
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return narrow;
}

bool ParseByte(std::string_view text, int nBase, std::uint8_t& nByte) {
    unsigned nValue = 0;
    const auto [pEnd, error] =
        std::from_chars(text.data(), text.data() + text.size(), nValue, nBase);
    if (text.empty() || error != std::errc() || pEnd != text.data() + text.size() || nValue > 255) {
        return false;
    }
    nByte = static_cast<std::uint8_t>(nValue);
    return true;
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct NamedControl {
    std::string_view name;
    int nId;
};

constexpr NamedControl kNumberFields[] = {
    {"signal", IDC_SIGNAL}, {"battery", IDC_BATTERY}, {"memory", IDC_MEMORY_LOCATION}};
constexpr NamedControl kCheckBoxes[] = {{"available", IDC_AVAILABLE},
                                        {"roam", IDC_ROAM},
                                        {"lastdial", IDC_LAST_DIAL},
                                        {"vr", IDC_VOICE_RECOGNITION}};
constexpr NamedControl kFields[] = {{"usb", IDC_USB_NAME},
                                    {"state", IDC_DONGLE_STATE},
                                    {"call", IDC_CALL_STATE},
                                    {"audio", IDC_AUDIO_STATE}};

template <std::size_t N>
const NamedControl* FindNamed(const NamedControl (&controls)[N], std::string_view name) {
    const auto* pFound = std::find_if(std::begin(controls), std::end(controls),
                                      [&](const NamedControl& c) { return c.name == name; });
    return pFound != std::end(controls) ? pFound : nullptr;
}

struct HandsFreeWord {
    std::string_view word;
    HfRequestCode nCode;
};

constexpr HandsFreeWord kHandsFreeWords[] = {
    {"answer", HfAnswer},      {"hangup", HfHangUp},           {"dial", HfDial},
    {"memdial", HfMemoryDial}, {"redial", HfLastNumberRedial}, {"clcc", HfListCurrentCalls},
};

DongleReport InputReport(int nCommand, std::uint8_t nFirst) {
    DongleReport report{};
    report[0] = kReportId;
    report[1] = static_cast<std::uint8_t>(nCommand);
    report[2] = nFirst;
    return report;
}

}  // namespace

CConsole::CConsole(IConsolePanel& panel, CSimulatedDongle* pDongle, LineWriter write)
    : m_panel(panel), m_pDongle(pDongle), m_write(std::move(write)) {}

std::string CConsole::FormatOutputLine(const DongleReport& report) {
    return "out " + FormatReportBytes(report) + "  # " + DescribeHostReport(report);
}

void CConsole::HandleLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view rest = line;
    const std::string_view command = NextWord(rest);
    if (command.empty()) {
        return;
    }
    if (command == "press") {
        HandlePress(rest);
    } else if (command == "set") {
        HandleSet(rest);
    } else if (command == "check") {
        HandleCheck(rest);
    } else if (command == "panel") {
        HandlePanel();
    } else if (command == "quit") {
        m_panel.CloseWindow();
    } else if (command == "in") {
        HandleInput(rest);
    } else if (command == "hf") {
        HandleHandsFree(rest);
    } else if (command == "link" || command == "audio" || command == "vr") {
        const int nCommand = command == "link"    ? DongleStateReport
                             : command == "audio" ? AudioStateReport
                                                  : VoiceRecognitionReport;
        HandleStateReport(nCommand, rest);
    } else if (command == "unplug" || command == "plug" || command == "namefail") {
        HandleCable(command);
    } else {
        Fail("unknown command '" + std::string(command) + "'");
    }
}

bool CConsole::HandlePress(std::string_view rest) {
    const std::string_view name = NextWord(rest);
    const auto request = FindPanelRequest(name);
    if (!request || !Rest(rest).empty()) {
        return Fail("press takes one request name, such as PlaceIncomingCall");
    }
    return m_panel.ClickControl(GetRequestControlId(*request)) || Fail("the panel is not open");
}

bool CConsole::HandleSet(std::string_view rest) {
    const std::string_view what = NextWord(rest);
    if (what == "operator") {
        // The rest of the line, blanks inside it kept.
        return m_panel.SetControlText(IDC_OPERATOR, Widen(Rest(rest))) ||
               Fail("the panel is not open");
    }
    const NamedControl* pField = FindNamed(kNumberFields, what);
    const std::string_view value = NextWord(rest);
    if (pField == nullptr || !Rest(rest).empty()) {
        return Fail("set takes signal, battery or memory and a number, or operator and a name");
    }
    if (!IsDigits(value)) {
        return Fail("the " + std::string(what) + " field takes digits only");
    }
    return m_panel.SetControlText(pField->nId, Widen(value)) || Fail("the panel is not open");
}

bool CConsole::HandleCheck(std::string_view rest) {
    const NamedControl* pBox = FindNamed(kCheckBoxes, NextWord(rest));
    const std::string_view state = NextWord(rest);
    if (pBox == nullptr || (state != "on" && state != "off") || !Rest(rest).empty()) {
        return Fail("check takes available, roam, lastdial or vr, and on or off");
    }
    return m_panel.SetCheck(pBox->nId, state == "on") || Fail("the panel is not open");
}

bool CConsole::HandlePanel() {
    for (const NamedControl& field : kFields) {
        m_write("panel " + std::string(field.name) + " " +
                Narrow(m_panel.GetControlText(field.nId)));
    }
    return true;
}

bool CConsole::HandleInput(std::string_view rest) {
    DongleReport report{};
    std::size_t nCount = 0;
    for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
        if (nCount == report.size() || word.size() != 2 || !ParseByte(word, 16, report[nCount])) {
            return Fail("in takes up to 19 bytes of two hex digits each");
        }
        ++nCount;
    }
    if (nCount == 0) {
        return Fail("in takes up to 19 bytes of two hex digits each");
    }
    return QueueReport(report);
}

bool CConsole::HandleHandsFree(std::string_view rest) {
    const std::string_view word = NextWord(rest);
    const auto* pWord = std::find_if(std::begin(kHandsFreeWords), std::end(kHandsFreeWords),
                                     [&](const HandsFreeWord& w) { return w.word == word; });
    if (pWord == std::end(kHandsFreeWords)) {
        return Fail("hf takes answer, hangup, dial, redial, clcc or memdial DIGITS");
    }
    DongleReport report = InputReport(HandsFreeRequest, static_cast<std::uint8_t>(pWord->nCode));
    const std::string_view location = NextWord(rest);
    if ((pWord->nCode == HfMemoryDial) != !location.empty() || !Rest(rest).empty()) {
        return Fail("only memdial takes a location, and it takes one");
    }
    if (location.size() > kEventPayloadCount - 2) {
        return Fail("a memory location has at most 15 characters");
    }
    report[3] = static_cast<std::uint8_t>(location.size());
    std::copy(location.begin(), location.end(), report.begin() + 4);
    return QueueReport(report);
}

bool CConsole::HandleStateReport(int nCommand, std::string_view rest) {
    std::uint8_t nValue = 0;
    const std::string_view value = NextWord(rest);
    const bool bHex = value.starts_with("0x");
    if (!ParseByte(bHex ? value.substr(2) : value, bHex ? 16 : 10, nValue) || !Rest(rest).empty()) {
        return Fail("link, audio and vr take one number from 0 to 255");
    }
    return QueueReport(InputReport(nCommand, nValue));
}

bool CConsole::HandleCable(std::string_view command) {
    CSimulatedDongle* pDongle = Dongle();
    if (pDongle == nullptr) {
        return false;
    }
    if (command == "unplug") {
        pDongle->Unplug();
    } else if (command == "plug") {
        pDongle->Plug();
    } else {
        pDongle->FailNextNameRead();
    }
    return true;
}

bool CConsole::QueueReport(const DongleReport& report) {
    CSimulatedDongle* pDongle = Dongle();
    if (pDongle == nullptr) {
        return false;
    }
    return pDongle->QueueInputReport(report) || Fail("the simulated dongle is not open");
}

CSimulatedDongle* CConsole::Dongle() {
    if (m_pDongle == nullptr) {
        Fail("the hands-free side needs --simulate");
    }
    return m_pDongle;
}

bool CConsole::Fail(const std::string& why) {
    m_write("error " + why);
    return false;
}

}  // namespace sonvik
