#pragma once

#include <windows.h>

#include <atomic>
#include <span>

namespace sonvik::win32 {

class CDialog;

// One entry of a dialog's message map: a window message, or a control's notification carried by
// WM_COMMAND, and the member that handles it.
struct MessageMapEntry {
    UINT nMessage = 0;
    UINT nNotifyCode = 0;  // WM_COMMAND only
    UINT nControlId = 0;   // WM_COMMAND only
    void (CDialog::*pfnHandler)() = nullptr;
    HICON (CDialog::*pfnIconHandler)() = nullptr;  // WM_QUERYDRAGICON answers an icon
};

template <typename Dialog>
constexpr MessageMapEntry OnMessage(UINT nMessage, void (Dialog::*pfn)()) {
    return {nMessage, 0, 0, static_cast<void (CDialog::*)()>(pfn), nullptr};
}

template <typename Dialog>
constexpr MessageMapEntry OnQueryDragIconEntry(HICON (Dialog::*pfn)()) {
    return {WM_QUERYDRAGICON, 0, 0, nullptr, static_cast<HICON (CDialog::*)()>(pfn)};
}

template <typename Dialog>
constexpr MessageMapEntry OnClicked(UINT nControlId, void (Dialog::*pfn)()) {
    return {WM_COMMAND, BN_CLICKED, nControlId, static_cast<void (CDialog::*)()>(pfn), nullptr};
}

// A modal dialog from a dialog template in the program's resources. The commands IDOK and
// IDCANCEL that the map does not take end the dialog (Enter, Escape, the close box); everything
// else the map does not handle gets the system's default dialog handling.
class CDialog {
  public:
    CDialog(UINT nTemplateId, HWND hParent) : m_nTemplateId(nTemplateId), m_hParent(hParent) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window, runs its message loop on the calling thread until it ends, destroys
    // it and answers how it ended.
    INT_PTR DoModal();

    // The window while it exists, else null; from any thread.
    HWND GetSafeHwnd() const { return m_hWnd.load(std::memory_order_acquire); }

  protected:
    virtual std::span<const MessageMapEntry> GetMessageMap() const { return {}; }
    // Answers whether the system is to give the focus to the first control that takes it.
    virtual BOOL OnInitDialog() { return TRUE; }

    // The Enter key and the OK button; the Escape key and the close box.
    virtual void OnOK() { EndDialog(GetSafeHwnd(), IDOK); }
    virtual void OnCancel() { EndDialog(GetSafeHwnd(), IDCANCEL); }

    // Inside a handler: lets the system's default handling have the message as well.
    void Default() { m_bDefault = true; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    const MessageMapEntry* FindEntry(UINT nMessage, WPARAM wParam) const;
    INT_PTR Dispatch(const MessageMapEntry& entry);
    // IDOK and IDCANCEL when the map has no entry for them; false for other messages.
    bool DispatchEnding(UINT nMessage, WPARAM wParam);

    UINT m_nTemplateId;
    HWND m_hParent;
    std::atomic<HWND> m_hWnd{nullptr};
    bool m_bDefault = false;
};

}  // namespace sonvik::win32
