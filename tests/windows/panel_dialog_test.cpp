// The Win32 control panel under Wine: the window its template makes, what it shows at start-up,
// the panel operations from the worker's thread, the operator's clicks and keys, and the end.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "app/panel_layout.h"
#include "app/string_table.h"
#include "panel_fixture.h"
#include "support/panel_expectations.h"

namespace sonvik::win32 {
namespace {

using test::ControlText;
using test::RunPanel;

std::wstring ClassName(HWND hControl) {
    wchar_t szName[64] = {};
    GetClassNameW(hControl, szName, 64);
    return szName;
}

LONG_PTR Style(HWND hWnd) {
    return GetWindowLongPtrW(hWnd, GWL_STYLE);
}

TEST(Win32Panel, WithoutItsWindowTheOperationsDoNothing) {
    CSonvikDlg dlg;
    test::ExpectNoWindowAnswers(dlg);
    RunPanel(dlg, [](HWND) {});
    test::ExpectNoWindowAnswers(dlg);
}

TEST(Win32Panel, TheTemplateMakesEveryControlOfTheTableWhereTheTablePutsIt) {
    CSonvikDlg dlg;
    RunPanel(dlg, [](HWND hWnd) {
        RECT client{0, 0, kDialogWidth, kDialogHeight};
        MapDialogRect(hWnd, &client);
        RECT actual;
        GetClientRect(hWnd, &actual);
        EXPECT_EQ(actual.right, client.right);
        EXPECT_EQ(actual.bottom, client.bottom);
        EXPECT_TRUE(Style(hWnd) & WS_MINIMIZEBOX);
        EXPECT_FALSE(Style(hWnd) & WS_MAXIMIZEBOX);
        EXPECT_TRUE(GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

        int nChildren = 0;
        for (HWND h = GetWindow(hWnd, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
            ++nChildren;
        }
        EXPECT_EQ(nChildren, 40);
        for (const ControlItem& item : GetPanelControls()) {
            SCOPED_TRACE(item.nId);
            const HWND hControl = GetDlgItem(hWnd, item.nId);
            ASSERT_NE(hControl, nullptr);
            // Position and size are mapped each on its own, as the dialog manager maps them.
            RECT mapped{item.x, item.y, item.cx, item.cy};
            MapDialogRect(hWnd, &mapped);
            const RECT expected{mapped.left, mapped.top, mapped.left + mapped.right,
                                mapped.top + mapped.bottom};
            RECT placed;
            GetWindowRect(hControl, &placed);
            MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_EQ(placed.left, expected.left);
            EXPECT_EQ(placed.top, expected.top);
            EXPECT_EQ(placed.right, expected.right);
            EXPECT_EQ(placed.bottom, expected.bottom);
            const LONG_PTR nStyle = Style(hControl);
            switch (item.nKind) {
                case READONLY_EDIT:
                    EXPECT_EQ(ClassName(hControl), L"Edit");
                    EXPECT_TRUE(nStyle & ES_READONLY);
                    EXPECT_TRUE(nStyle & ES_AUTOHSCROLL);
                    break;
                case NUMBER_EDIT:
                    EXPECT_TRUE(nStyle & ES_NUMBER);
                    EXPECT_FALSE(nStyle & ES_READONLY);
                    break;
                case EDIT:
                    EXPECT_EQ(ClassName(hControl), L"Edit");
                    EXPECT_FALSE(nStyle & (ES_NUMBER | ES_READONLY));
                    break;
                case STATIC_TEXT:
                    EXPECT_EQ(ClassName(hControl), L"Static");
                    break;
                case PUSH_BUTTON:
                    EXPECT_EQ(nStyle & BS_TYPEMASK, BS_PUSHBUTTON);
                    EXPECT_TRUE(nStyle & BS_MULTILINE);
                    break;
                case GROUP_BOX:
                    EXPECT_EQ(nStyle & BS_TYPEMASK, BS_GROUPBOX);
                    break;
                case CHECK_BOX:
                    EXPECT_EQ(nStyle & BS_TYPEMASK, BS_AUTOCHECKBOX);
                    break;
            }
        }
    });
}

TEST(Win32Panel, StartsWithItsTitleTextsNumbersChecksAndFocus) {
    CSonvikDlg dlg;
    dlg.GetRequestFlags().Raise(EndCall);  // cleared when the window comes up
    RunPanel(dlg, [&](HWND hWnd) {
        wchar_t szTitle[128] = {};
        GetWindowTextW(hWnd, szTitle, 128);
        EXPECT_STREQ(szTitle, L"USB Dongle PELKO 2.5 Host Application");
        EXPECT_EQ(ControlText(hWnd, 1020), u"Place Incoming Call");
        EXPECT_EQ(ControlText(hWnd, 1007), u"End Call");  // the template's own
        EXPECT_EQ(ControlText(hWnd, 1025), u"Test AG (PTS Testing)");
        for (const ControlItem& item : GetPanelControls()) {
            if (item.nKind == NUMBER_EDIT) {
                continue;  // the numbers below
            }
            const std::u16string expected =
                item.nStringId != 0 ? LoadStringText(item.nStringId) : item.pszTemplateText;
            EXPECT_EQ(ControlText(hWnd, item.nId), expected) << item.nId;
        }
        EXPECT_EQ(dlg.GetSignalStrength(), 5u);
        EXPECT_EQ(dlg.GetBatteryLevel(), 5u);
        EXPECT_EQ(dlg.GetMemoryDialLocation(), 1u);
        EXPECT_TRUE(dlg.IsNetworkAvailable());
        EXPECT_FALSE(dlg.IsRoaming());
        EXPECT_TRUE(dlg.IsLastDialEnabled());
        EXPECT_FALSE(dlg.IsVoiceRecognitionEnabled());
        EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(EndCall));

        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &gui);
        EXPECT_EQ(gui.hwndFocus, GetDlgItem(hWnd, IDC_USB_NAME));
        const auto hIcon = reinterpret_cast<HICON>(SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(hIcon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hWnd, WM_QUERYDRAGICON, 0, 0)), hIcon);
    });
}

TEST(Win32Panel, TheWorkersOperationsReachTheControls) {
    CSonvikDlg dlg;
    RunPanel(dlg, [&](HWND hWnd) {
        dlg.SetUsbNameText(u"PELKO");
        dlg.SetDongleStateText(u"Connected");
        dlg.SetCallStateText(u"Held Call");
        dlg.SetAudioStateText(u"Disconnected");
        EXPECT_EQ(ControlText(hWnd, IDC_USB_NAME), u"PELKO");
        EXPECT_EQ(ControlText(hWnd, IDC_DONGLE_STATE), u"Connected");
        EXPECT_EQ(ControlText(hWnd, IDC_CALL_STATE), u"Held Call");
        EXPECT_EQ(ControlText(hWnd, IDC_AUDIO_STATE), u"Disconnected");

        const struct {
            std::u16string text;
            std::uint32_t nExpected;
        } numbers[] = {{u"", 0},
                       {u"17", 17},
                       {u"4294967295", 4294967295u},
                       {u"4294967296", 0},
                       {std::u16string(300, u' ') + u"3", 3}};
        for (const auto& number : numbers) {
            test::SetControlText(hWnd, IDC_SIGNAL, number.text);
            EXPECT_EQ(dlg.GetSignalStrength(), number.nExpected) << number.text.size();
        }
        test::SetControlText(hWnd, IDC_OPERATOR, u"ABCDEFGHIJKL");
        EXPECT_EQ(dlg.GetNetworkOperator(), u"ABCDEFGHI");
        test::SetControlText(hWnd, IDC_OPERATOR, u"");
        EXPECT_EQ(dlg.GetNetworkOperator(), u"");

        dlg.SetVoiceRecognitionCheck(true);
        EXPECT_TRUE(dlg.IsVoiceRecognitionEnabled());
        dlg.SetVoiceRecognitionCheck(false);
        EXPECT_FALSE(dlg.IsVoiceRecognitionEnabled());
        EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(ToggleVoiceRecognition));
    });
}

TEST(Win32Panel, EachRequestControlRaisesItsOwnRequestOnceHoweverOftenClicked) {
    CSonvikDlg dlg;
    RunPanel(dlg, [&](HWND hWnd) {
        RequestFlags& flags = dlg.GetRequestFlags();
        for (int n = 0; n < kPanelRequestCount; ++n) {
            const auto nRequest = static_cast<PanelRequest>(n);
            const HWND hControl = GetDlgItem(hWnd, GetRequestControlId(nRequest));
            SendMessageW(hControl, BM_CLICK, 0, 0);
            SendMessageW(hControl, BM_CLICK, 0, 0);
            for (int m = 0; m < kPanelRequestCount; ++m) {
                EXPECT_EQ(flags.IsRaised(static_cast<PanelRequest>(m)), m == n) << n << " " << m;
            }
            EXPECT_TRUE(flags.Take(nRequest));
            EXPECT_FALSE(flags.Take(nRequest));
        }
        // The clicks toggled the boxes twice; one more shows the toggle and its request.
        SendMessageW(GetDlgItem(hWnd, IDC_AVAILABLE), BM_CLICK, 0, 0);
        EXPECT_FALSE(dlg.IsNetworkAvailable());
        EXPECT_TRUE(flags.IsRaised(ToggleNetworkAvailable));
    });
}

TEST(Win32Panel, EnterEndsTheDialogUnlessAPushButtonHasTheFocusAndEscapeCancels) {
    struct Case {
        int nFocus;
        WPARAM nKey;
        INT_PTR nEnding;
    };
    const Case cases[] = {{IDC_USB_NAME, VK_RETURN, IDOK},
                          {IDC_OPERATOR, VK_RETURN, IDOK},
                          {IDC_ROAM, VK_RETURN, IDOK},
                          {IDC_SIGNAL, VK_ESCAPE, IDCANCEL}};
    for (const Case& c : cases) {
        CSonvikDlg dlg;
        std::atomic<bool> bEnded{false};
        const INT_PTR nEnding = RunPanel(dlg, [&](HWND hWnd) {
            test::PressKey(hWnd, c.nFocus, c.nKey);
            for (int i = 0; i < 2000 && IsWindow(hWnd); ++i) {
                Sleep(1);
            }
            bEnded = !IsWindow(hWnd);
        });
        EXPECT_TRUE(bEnded) << c.nFocus;
        EXPECT_EQ(nEnding, c.nEnding) << c.nFocus;
    }

    CSonvikDlg dlg;
    RunPanel(dlg, [&](HWND hWnd) {
        test::PressKey(hWnd, 1020, VK_RETURN);
        for (int i = 0; i < 2000 && !dlg.GetRequestFlags().IsRaised(PlaceIncomingCall); ++i) {
            Sleep(1);
        }
        EXPECT_TRUE(dlg.GetRequestFlags().IsRaised(PlaceIncomingCall));
        EXPECT_TRUE(IsWindow(hWnd));
    });
}

TEST(Win32Panel, AWorkerBusyWithTheControlsAsTheWindowGoesIsNeverLeftWaiting) {
    for (int nRound = 0; nRound < 20; ++nRound) {
        CSonvikDlg dlg;
        std::atomic<int> nWrites{0};
        RunPanel(dlg, [&](HWND hWnd) {
            PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            while (dlg.GetSafeHwnd() != nullptr || nWrites < 50) {
                dlg.SetUsbNameText(u"busy");
                dlg.IsRoaming();
                ++nWrites;
            }
        });
        EXPECT_GE(nWrites.load(), 50);
    }
}

TEST(Win32Resources, TheStringTableAndIconAreInTheProgram) {
    for (const StringEntry& entry : GetStringTable()) {
        const wchar_t* pszText = nullptr;
        const int nLength = LoadStringW(GetModuleHandleW(nullptr), entry.nId,
                                        reinterpret_cast<LPWSTR>(&pszText), 0);
        ASSERT_GT(nLength, 0) << entry.nId;
        EXPECT_EQ(std::u16string(pszText, pszText + nLength), entry.pszText) << entry.nId;
    }
    wchar_t szNone[8] = {};
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 174, szNone, 8), 0);

    const HICON hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId));
    ASSERT_NE(hIcon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
}  // namespace sonvik::win32
