// Runs a program as a debuggee and reports, one line each on standard output, what a test of the
// whole program needs to see: every line the program writes to the debugger output ("debug: "),
// the control panel's window once it is up ("window: shown"), each text its USB name field
// shows ("usb name: "), and the program's exit code ("exit: ").
//   sonvik_debug_harness <program> [arguments...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kPanelTitle[] = L"USB Dongle PELKO 2.5 Host Application";
constexpr int kUsbNameField = 1000;

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

std::wstring CommandLineOf(int argc, wchar_t** argv) {
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
        line += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    }
    return line;
}

// Collects the debuggee's debugger output and hands on whole lines.
class DebugLines {
  public:
    void Add(HANDLE hProcess, const OUTPUT_DEBUG_STRING_INFO& info) {
        std::wstring piece(info.nDebugStringLength, L'\0');
        SIZE_T nRead = 0;
        if (info.fUnicode) {
            ReadProcessMemory(hProcess, info.lpDebugStringData, piece.data(),
                              piece.size() * sizeof(wchar_t), &nRead);
            piece.resize(nRead / sizeof(wchar_t));
        } else {
            std::string bytes(info.nDebugStringLength, '\0');
            ReadProcessMemory(hProcess, info.lpDebugStringData, bytes.data(), bytes.size(), &nRead);
            piece.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nRead));
        }
        m_pending += Narrow(piece.substr(0, piece.find(L'\0')));
        for (std::size_t nEnd; (nEnd = m_pending.find('\n')) != std::string::npos;) {
            std::printf("debug: %s\n", m_pending.substr(0, nEnd).c_str());
            m_pending.erase(0, nEnd + 1);
        }
        std::fflush(stdout);
    }

  private:
    std::string m_pending;
};

// The debuggee's own panel window, so that another program's window of the same title is
// never taken for it.
HWND FindPanelOf(DWORD nProcessId) {
    struct Search {
        DWORD nProcessId;
        HWND hFound;
    } search{nProcessId, nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD nOwner = 0;
            GetWindowThreadProcessId(hWnd, &nOwner);
            wchar_t szTitle[64] = {};
            GetWindowTextW(hWnd, szTitle, 64);
            if (nOwner == s.nProcessId && std::wstring(szTitle) == kPanelTitle) {
                s.hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// Watches the panel's window from outside, as the operator would.
class PanelWatch {
  public:
    explicit PanelWatch(DWORD nProcessId) : m_nProcessId(nProcessId) {}

    void Poll() {
        const HWND hWnd = FindPanelOf(m_nProcessId);
        if (hWnd == nullptr) {
            return;
        }
        if (!m_bShown) {
            m_bShown = true;
            std::printf("window: shown\n");
        }
        wchar_t szText[128] = {};
        DWORD_PTR nResult = 0;
        const HWND hField = GetDlgItem(hWnd, kUsbNameField);
        if (hField != nullptr &&
            SendMessageTimeoutW(hField, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(szText),
                                SMTO_ABORTIFHUNG, 500, &nResult)) {
            const std::string text = Narrow(szText);
            if (text != m_lastText) {
                m_lastText = text;
                std::printf("usb name: %s\n", text.c_str());
            }
        }
        std::fflush(stdout);
    }

  private:
    DWORD m_nProcessId;
    bool m_bShown = false;
    std::string m_lastText;
};

DWORD Continue(const DEBUG_EVENT& event, bool& bFirstBreak) {
    if (event.dwDebugEventCode != EXCEPTION_DEBUG_EVENT) {
        return DBG_CONTINUE;
    }
    // The loader's first breakpoint is the debugger's; any other exception is the program's.
    if (bFirstBreak && event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT) {
        bFirstBreak = false;
        return DBG_CONTINUE;
    }
    return DBG_EXCEPTION_NOT_HANDLED;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sonvik_debug_harness <program> [arguments...]\n");
        return 2;
    }
    std::wstring commandLine = CommandLineOf(argc, argv);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start the program: error %lu\n", GetLastError());
        return 2;
    }
    DebugLines lines;
    PanelWatch watch(process.dwProcessId);
    bool bFirstBreak = true;
    for (;;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, 50)) {
            watch.Poll();
            continue;
        }
        switch (event.dwDebugEventCode) {
            case OUTPUT_DEBUG_STRING_EVENT:
                lines.Add(process.hProcess, event.u.DebugString);
                break;
            case CREATE_PROCESS_DEBUG_EVENT:
                CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                CloseHandle(event.u.LoadDll.hFile);
                break;
            default:
                break;
        }
        const bool bExited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, Continue(event, bFirstBreak));
        if (bExited) {
            std::printf("exit: %lu\n", event.u.ExitProcess.dwExitCode);
            break;
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
