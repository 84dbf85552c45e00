// The program on Linux: the command line and the configuration file in place of the registry,
// the Qt application in place of the framework, hidraw (or the simulated dongle) for hid.dll.
#include <unistd.h>

#include <QApplication>
#include <memory>

#include "app/console/console.h"
#include "app/linux/console_reader.h"
#include "app/linux/program_options.h"
#include "app/qt/sonvik_dlg.h"
#include "app/sonvik_app.h"
#include "common/stream_debug_sink.h"
#include "hid/linux/hidraw_transport.h"
#include "hid/simulated/simulated_dongle.h"

namespace {

using namespace sonvik;

std::unique_ptr<CSimulatedDongle> MakeSimulatedDongle(UsbIds ids) {
    CSimulatedDongle::Options simulated;
    simulated.nVendorId = ids.nVendorId;
    simulated.nProductId = ids.nProductId;
    return std::make_unique<CSimulatedDongle>(simulated);
}

int RunProgram(int argc, char** argv, const CommandLine& options, UsbIds ids) {
    QApplication application(argc, argv);
    std::unique_ptr<CSimulatedDongle> pSimulated;
    std::unique_ptr<ITransport> pHidraw;
    if (options.bSimulate) {
        pSimulated = MakeSimulatedDongle(ids);
    } else {
        pHidraw = std::make_unique<linux_hid::CHidrawTransport>();
    }
    ITransport& transport = pSimulated ? static_cast<ITransport&>(*pSimulated) : *pHidraw;

    CSonvikApp app;
    app.m_nVendorId = ids.nVendorId;
    app.m_nProductId = ids.nProductId;
    app.m_pTransport = &transport;
    transport.BindHidApi();  // nothing to bind on Linux

    qt::CSonvikDlg dlg;
    CLineWriter writeLine(stdout);
    CConsole console(dlg, pSimulated.get(), std::ref(writeLine));
    CConsoleReader reader(STDIN_FILENO, [&](std::string_view line) { console.HandleLine(line); });
    if (options.bConsole) {
        if (pSimulated) {
            pSimulated->SetReportListener(
                [&](const DongleReport& report) { writeLine(CConsole::FormatOutputLine(report)); });
        }
        dlg.m_onWindowShown = [&](qt::CPanelWindow&) { reader.Start(); };
    }
    RunModalSession(app, dlg);
    reader.Stop();  // before the panel object goes
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ProgramOptions program;
    if (const int nExit = ReadProgramOptions(argc, argv, program); nExit >= 0) {
        return nExit;
    }
    CStreamDebugSink stderrSink(stderr);
    if (program.options.bDebug) {
        SetDebugSink(&stderrSink);
    }
    const int nExit = RunProgram(argc, argv, program.options, program.ids);
    SetDebugSink(nullptr);
    return nExit;
}
