#include "app/win32/framework/dialog.h"

namespace sonvik::win32 {

INT_PTR CDialog::DoModal() {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), m_hParent,
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == WM_INITDIALOG) {
        auto* pDialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        pDialog->m_hWnd.store(hWnd, std::memory_order_release);
        return pDialog->OnInitDialog();
    }
    auto* pDialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pDialog == nullptr) {
        return FALSE;  // messages before WM_INITDIALOG
    }
    if (nMessage == WM_NCDESTROY) {
        pDialog->m_hWnd.store(nullptr, std::memory_order_release);
        return FALSE;
    }
    if (const MessageMapEntry* pEntry = pDialog->FindEntry(nMessage, wParam)) {
        return pDialog->Dispatch(*pEntry);
    }
    return pDialog->DispatchEnding(nMessage, wParam) ? TRUE : FALSE;
}

bool CDialog::DispatchEnding(UINT nMessage, WPARAM wParam) {
    if (nMessage != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

const MessageMapEntry* CDialog::FindEntry(UINT nMessage, WPARAM wParam) const {
    for (const MessageMapEntry& entry : GetMessageMap()) {
        if (entry.nMessage != nMessage) {
            continue;
        }
        if (nMessage != WM_COMMAND ||
            (entry.nNotifyCode == HIWORD(wParam) && entry.nControlId == LOWORD(wParam))) {
            return &entry;
        }
    }
    return nullptr;
}

INT_PTR CDialog::Dispatch(const MessageMapEntry& entry) {
    if (entry.pfnIconHandler != nullptr) {
        return reinterpret_cast<INT_PTR>((this->*entry.pfnIconHandler)());
    }
    m_bDefault = false;
    (this->*entry.pfnHandler)();
    return m_bDefault ? FALSE : TRUE;  // FALSE: the system's default handling follows
}

}  // namespace sonvik::win32
