// The program on Linux: the command line and the configuration file in place of the registry,
// the Qt application in place of the framework, hidraw (or the simulated dongle) for hid.dll.
#include <QApplication>
#include <memory>

#include "app/linux/program_options.h"
#include "app/qt/sonvik_dlg.h"
#include "app/sonvik_app.h"
#include "common/stream_debug_sink.h"
#include "hid/linux/hidraw_transport.h"
#include "hid/simulated/simulated_dongle.h"

namespace {

using namespace sonvik;

std::unique_ptr<ITransport> MakeTransport(const CommandLine& options, UsbIds ids) {
    if (!options.bSimulate) {
        return std::make_unique<linux_hid::CHidrawTransport>();
    }
    CSimulatedDongle::Options simulated;
    simulated.nVendorId = ids.nVendorId;
    simulated.nProductId = ids.nProductId;
    return std::make_unique<CSimulatedDongle>(simulated);
}

int RunProgram(int argc, char** argv, const CommandLine& options, UsbIds ids) {
    QApplication application(argc, argv);
    const std::unique_ptr<ITransport> pTransport = MakeTransport(options, ids);
    CSonvikApp app;
    app.m_nVendorId = ids.nVendorId;
    app.m_nProductId = ids.nProductId;
    app.m_pTransport = pTransport.get();
    pTransport->BindHidApi();  // nothing to bind on Linux
    RunModalSession(app, std::make_unique<qt::CSonvikDlg>());
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
