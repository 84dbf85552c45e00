#include "app/win32/framework/win_app.h"

namespace sonvik::win32 {

int RunWinApp(CWinApp& app) {
    if (!app.InitInstance()) {
        return app.m_nExitCode;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace sonvik::win32
