#include "app/win32/sonvik_dlg.h"

#include <pthread.h>

#include <algorithm>
#include <array>
#include <utility>

#include "app/panel_layout.h"
#include "app/win32/framework/resource_string.h"

namespace sonvik::win32 {

namespace {

const wchar_t* AsWin(const WideText& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

WideText GetControlText(HWND hWnd, int nId, int nMaxUnits) {
    WideText text(static_cast<std::size_t>(nMaxUnits) + 1, u'\0');
    const UINT nLength =
        GetDlgItemTextW(hWnd, nId, reinterpret_cast<wchar_t*>(text.data()), nMaxUnits + 1);
    text.resize(nLength);
    return text;
}

}  // namespace

// The paint and drag-icon entries, then one click entry per request in request order.
template <std::size_t... N>
struct PanelMessageMap {
    static std::span<const MessageMapEntry> Get() {
        static const std::array<MessageMapEntry, 2 + sizeof...(N)> entries{
            OnMessage(WM_PAINT, &CSonvikDlg::OnPaint),
            OnQueryDragIconEntry(&CSonvikDlg::OnQueryDragIcon),
            OnClicked(static_cast<UINT>(GetRequestControlId(static_cast<PanelRequest>(N))),
                      &CSonvikDlg::OnRequestClicked<static_cast<PanelRequest>(N)>)...};
        return entries;
    }
};

template <std::size_t... N>
std::span<const MessageMapEntry> GetPanelMessageMap(std::index_sequence<N...>) {
    return PanelMessageMap<N...>::Get();
}

CSonvikDlg::CSonvikDlg()
    : CDialog(kDialogTemplateId, nullptr),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId))) {}

std::span<const MessageMapEntry> CSonvikDlg::GetMessageMap() const {
    return GetPanelMessageMap(std::make_index_sequence<kPanelRequestCount>());
}

BOOL CSonvikDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const HWND hWnd = GetSafeHwnd();
    SendMessageW(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowTextW(hWnd, AsWin(LoadResourceString(162)));
    for (const unsigned nStringId : GetInitialTextOrder()) {
        SetDlgItemTextW(hWnd, FindControlOfString(nStringId)->nId,
                        AsWin(LoadResourceString(nStringId)));
    }
    for (const InitialNumber& number : GetInitialNumbers()) {
        SetDlgItemInt(hWnd, number.nId, number.nValue, FALSE);
    }
    for (const InitialCheck& check : GetInitialChecks()) {
        CheckDlgButton(hWnd, check.nId, check.bChecked ? BST_CHECKED : BST_UNCHECKED);
    }
    m_bRequest.ClearAll();
    return TRUE;  // the focus goes to the first tab stop, the USB name field
}

void CSonvikDlg::OnPaint() {
    const HWND hWnd = GetSafeHwnd();
    if (!IsIconic(hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    const HDC hDc = BeginPaint(hWnd, &paint);
    SendMessageW(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDc), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(hWnd, &client);
    const int x = (client.right - client.left - cxIcon + 1) / 2;
    const int y = (client.bottom - client.top - cyIcon + 1) / 2;
    DrawIcon(hDc, x, y, m_hIcon);
    EndPaint(hWnd, &paint);
}

void CSonvikDlg::WaitForWorker(std::thread& worker) {
    HANDLE hThread = static_cast<HANDLE>(pthread_gethandle(worker.native_handle()));
    while (hThread != nullptr && MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE,
                                                           QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers them
    }
    worker.join();
}

void CSonvikDlg::WriteFieldText(int nId, const WideText& text) {
    if (const HWND hWnd = GetSafeHwnd()) {
        SetDlgItemTextW(hWnd, nId, AsWin(text));
    }
}

WideText CSonvikDlg::ReadFieldText(int nId, std::size_t nMaxUnits) {
    const HWND hWnd = GetSafeHwnd();
    const HWND hField = hWnd != nullptr ? GetDlgItem(hWnd, nId) : nullptr;
    if (hField == nullptr) {
        return {};
    }
    // The operator name is read through a buffer of 10 units, so at most 9 arrive.
    const std::size_t nLength = static_cast<std::size_t>(GetWindowTextLengthW(hField));
    return GetControlText(hWnd, nId, static_cast<int>(std::min(nLength, nMaxUnits)));
}

bool CSonvikDlg::IsBoxChecked(int nId) {
    const HWND hWnd = GetSafeHwnd();
    return hWnd != nullptr && IsDlgButtonChecked(hWnd, nId) != BST_UNCHECKED;
}

void CSonvikDlg::SetBoxCheck(int nId, bool bChecked) {
    if (const HWND hWnd = GetSafeHwnd()) {
        CheckDlgButton(hWnd, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
    }
}

}  // namespace sonvik::win32
