// The program on Windows: the Win32 dialog, hid.dll, the registry, the debugger output.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/win32/framework/win_app.h"
#include "app/win32/sonvik_win_app.h"
#include "common/windows/debugger_sink.h"

namespace {

// The command line's arguments after the program's name. The options are ASCII, so anything
// else only has to stay recognisably wrong.
std::vector<std::string> CommandLineArguments() {
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    std::vector<std::string> args;
    for (int i = 1; ppszArgs != nullptr && i < nArgs; ++i) {
        std::string arg;
        for (const wchar_t* p = ppszArgs[i]; *p != L'\0'; ++p) {
            arg += *p < 0x80 ? static_cast<char>(*p) : '?';
        }
        args.push_back(std::move(arg));
    }
    LocalFree(ppszArgs);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static sonvik::windows::CDebuggerSink debugger;
    sonvik::SetDebugSink(&debugger);
    // Ends with the run, so that its destructor's "Exit application" is the last line.
    sonvik::win32::CSonvikWinApp theApp(CommandLineArguments());
    return sonvik::win32::RunWinApp(theApp);
}
