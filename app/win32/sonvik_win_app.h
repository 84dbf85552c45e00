#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/sonvik_app.h"
#include "app/win32/framework/win_app.h"
#include "app/win32/sonvik_dlg.h"
#include "hid/simulated/simulated_dongle.h"
#include "hid/windows/hid_transport.h"

namespace sonvik::win32 {

// The Windows program's application object. InitInstance runs the whole program: start-up, the
// panel's modal run beside the worker, and the shutdown; the application then ends.
class CSonvikWinApp : public CWinApp {
  public:
    // The command line's arguments after the program's name.
    explicit CSonvikWinApp(std::vector<std::string> args) : m_args(std::move(args)) {}

    BOOL InitInstance() override;

  private:
    // Answers false when the program is not to run: an error or --help, already shown.
    bool ReadOptions(CommandLine& options);
    void UseSimulatedDongle(UsbIds ids);

    std::vector<std::string> m_args;
    // The transports outlive m_app, whose destructor closes the dongle through one of them.
    windows_hid::CHidTransport m_hidTransport;
    std::unique_ptr<CSimulatedDongle> m_pSimulated;
    CSonvikApp m_app;
};

// What the program shows for --help.
std::string WindowsHelpText(UsbIds defaults);

}  // namespace sonvik::win32
