#include "app/win32/sonvik_win_app.h"

#include <commctrl.h>

#include "app/win32/registry_ids.h"

#ifndef SONVIK_DEFAULT_VENDOR_ID
#error "the build sets SONVIK_DEFAULT_VENDOR_ID"
#endif

namespace sonvik::win32 {

namespace {

constexpr UsbIds kDefaultIds{SONVIK_DEFAULT_VENDOR_ID, kDefaultProductId};
constexpr int kUsageError = 2;

void ShowMessage(const std::string& text, UINT nIcon) {
    const std::wstring wide(text.begin(), text.end());
    MessageBoxW(nullptr, wide.c_str(), L"Sonvik", MB_OK | nIcon);
}

}  // namespace

std::string WindowsHelpText(UsbIds defaults) {
    const std::string text = HelpText("sonvik.exe", "", defaults);
    // The options this program takes, and where it reads the IDs on Windows.
    std::string help;
    for (std::size_t nStart = 0; nStart < text.size();) {
        const std::size_t nEnd = text.find('\n', nStart);
        const std::string line = text.substr(nStart, nEnd - nStart + 1);
        nStart = nEnd == std::string::npos ? text.size() : nEnd + 1;
        if (line.find("--console") != std::string::npos ||
            line.find("--debug") != std::string::npos) {
            continue;
        }
        if (line.find("can also be set in") != std::string::npos) {
            break;
        }
        help += line;
    }
    return help +
           "The IDs can also be set as DWORD values vid and pid under\n"
           "HKEY_LOCAL_MACHINE\\SOFTWARE\\VEXMOR\\DONGLE PELKO 2.0 HOST.\n"
           "The command line wins over the registry, and the registry over the defaults.\n"
           "The diagnostic lines go to the debugger output.\n";
}

bool CSonvikWinApp::ReadOptions(CommandLine& options) {
    const std::vector<std::string_view> args(m_args.begin(), m_args.end());
    std::string error;
    if (ParseCommandLine(args, options, error) && (options.bConsole || options.bDebug)) {
        error =
            "--console and --debug are for the Linux program; on Windows the diagnostic "
            "lines go to the debugger output";
    }
    if (!error.empty()) {
        ShowMessage(error, MB_ICONERROR);
        m_nExitCode = kUsageError;
        return false;
    }
    if (options.bHelp || options.bVersion) {
        ShowMessage(options.bHelp ? WindowsHelpText(kDefaultIds) : "sonvik " SONVIK_VERSION,
                    MB_ICONINFORMATION);
        return false;
    }
    return true;
}

void CSonvikWinApp::UseSimulatedDongle(UsbIds ids) {
    CSimulatedDongle::Options simulated;
    simulated.nVendorId = ids.nVendorId;
    simulated.nProductId = ids.nProductId;
    m_pSimulated = std::make_unique<CSimulatedDongle>(simulated);
    m_app.m_pTransport = m_pSimulated.get();
}

BOOL CSonvikWinApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    CommandLine options;
    if (!ReadOptions(options)) {
        return FALSE;
    }
    m_app.m_hDevice = kInvalidDeviceHandle;
    m_app.m_nVendorId = kDefaultIds.nVendorId;
    m_app.m_nProductId = kDefaultIds.nProductId;
    if (!options.bSimulate) {
        m_app.m_pTransport = &m_hidTransport;
        m_hidTransport.BindHidApi();  // loads hid.dll first
    }
    const UsbIds ids = ChooseUsbIds(options, ReadRegistryUsbIds(), kDefaultIds);
    if (options.bSimulate) {
        UseSimulatedDongle(ids);
    }
    m_app.m_nVendorId = ids.nVendorId;
    m_app.m_nProductId = ids.nProductId;
    m_app.m_nNameFailures = 0;
    m_app.m_nDongleState = NotReported;
    m_app.m_nAudioState = 0;
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    auto pDlg = std::make_unique<CSonvikDlg>();
    m_pMainWnd = pDlg.get();
    RunModalSession(m_app, *pDlg);
    pDlg.reset();
    m_pMainWnd = nullptr;
    return FALSE;
}

}  // namespace sonvik::win32
