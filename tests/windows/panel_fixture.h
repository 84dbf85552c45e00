#pragma once

#include <windows.h>

#include <functional>
#include <thread>

#include "app/win32/sonvik_dlg.h"

namespace sonvik::test {

// Runs the panel modally on the calling thread, as the application does, while script runs on
// a second thread in the worker's place once the window exists. When the script leaves the
// window open, it is cancelled. Answers how the dialog ended.
inline INT_PTR RunPanel(win32::CSonvikDlg& dlg, const std::function<void(HWND)>& script) {
    std::thread worker([&] {
        HWND hWnd = nullptr;
        while ((hWnd = dlg.GetSafeHwnd()) == nullptr) {
            std::this_thread::yield();
        }
        script(hWnd);
        PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);  // harmless once it is gone
    });
    const INT_PTR nResult = static_cast<win32::CDialog&>(dlg).DoModal();
    dlg.WaitForWorker(worker);
    return nResult;
}

// The text of a control, read as the operator would see it.
inline std::u16string ControlText(HWND hWnd, int nId) {
    wchar_t szText[256] = {};
    GetDlgItemTextW(hWnd, nId, szText, 256);
    return std::u16string(szText, szText + wcslen(szText));
}

inline void SetControlText(HWND hWnd, int nId, const std::u16string& text) {
    SetDlgItemTextW(hWnd, nId, reinterpret_cast<const wchar_t*>(text.c_str()));
}

// A key pressed while the focus is on the control, through the dialog's own message loop.
inline void PressKey(HWND hWnd, int nId, WPARAM nKey) {
    const HWND hControl = GetDlgItem(hWnd, nId);
    SendMessageW(hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
    PostMessageW(hControl, WM_KEYDOWN, nKey, 0);
    PostMessageW(hControl, WM_KEYUP, nKey, 0);
}

}  // namespace sonvik::test
