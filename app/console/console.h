#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/console/console_panel.h"
#include "protocol/dongle_report.h"

namespace sonvik {

class CSimulatedDongle;

// Scripted commands, one a line: the operator's side on the panel and, with the simulated
// dongle, the hands-free side. Every answer is one line handed to the writer; a line that
// cannot be understood answers "error ..." and changes nothing.
class CConsole {
  public:
    using LineWriter = std::function<void(std::string_view)>;

    // pDongle may be null: the hands-free commands then answer an error.
    CConsole(IConsolePanel& panel, CSimulatedDongle* pDongle, LineWriter write);

    void HandleLine(std::string_view line);

    // "out 02 00 01 ...  # HostPresence present": how an output report is shown.
    static std::string FormatOutputLine(const DongleReport& report);

  private:
    bool HandlePress(std::string_view rest);
    bool HandleSet(std::string_view rest);
    bool HandleCheck(std::string_view rest);
    bool HandlePanel();
    bool HandleInput(std::string_view rest);
    bool HandleHandsFree(std::string_view rest);
    bool HandleStateReport(int nCommand, std::string_view rest);
    bool HandleCable(std::string_view command);
    bool QueueReport(const DongleReport& report);
    bool Fail(const std::string& why);
    CSimulatedDongle* Dongle();

    IConsolePanel& m_panel;
    CSimulatedDongle* m_pDongle;
    LineWriter m_write;
};

}  // namespace sonvik
