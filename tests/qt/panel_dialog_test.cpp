#include "app/qt/sonvik_dlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QValidator>
#include <atomic>
#include <thread>

#include "app/qt/panel_window.h"
#include "app/qt/wrapping_push_button.h"
#include "app/string_table.h"
#include "support/panel_expectations.h"

namespace sonvik::qt {
namespace {

// Runs body inside the modal run, on the window's thread; the window is closed afterwards if
// the body left it open.
void WithWindow(CSonvikDlg& dlg, const std::function<void(CPanelWindow&)>& body) {
    dlg.m_onWindowShown = [&](CPanelWindow& window) {
        body(window);
        if (window.isVisible()) {
            window.reject();
        }
    };
    dlg.DoModal();
    dlg.m_onWindowShown = nullptr;
}

// Runs fn on a thread of its own, as the worker would, while the window's thread keeps
// handling the operations it sends over.
template <typename Fn>
void OnWorker(Fn fn) {
    std::atomic<bool> bDone{false};
    std::thread worker([&] {
        fn();
        bDone = true;
    });
    while (!bDone) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    worker.join();
}

QString Text(const char16_t* pszText) {
    return QString::fromUtf16(pszText);
}

QString ExpectedStartText(const ControlItem& item) {
    for (const InitialNumber& number : GetInitialNumbers()) {
        if (number.nId == item.nId) {
            return QString::number(number.nValue);
        }
    }
    return item.nStringId != 0 ? QString::fromStdU16String(LoadStringText(item.nStringId))
                               : Text(item.pszTemplateText);
}

void ExpectKind(QWidget* pControl, const ControlItem& item) {
    switch (item.nKind) {
        case READONLY_EDIT:
        case NUMBER_EDIT:
        case EDIT: {
            auto* pEdit = qobject_cast<QLineEdit*>(pControl);
            ASSERT_NE(pEdit, nullptr);
            EXPECT_EQ(pEdit->isReadOnly(), item.nKind == READONLY_EDIT);
            EXPECT_EQ(pEdit->validator() != nullptr, item.nKind == NUMBER_EDIT);
            if (item.nKind == NUMBER_EDIT) {
                QString digits = "123", letters = "12a";
                int nPos = 0;
                EXPECT_EQ(pEdit->validator()->validate(digits, nPos), QValidator::Acceptable);
                EXPECT_EQ(pEdit->validator()->validate(letters, nPos), QValidator::Invalid);
            }
            EXPECT_EQ(pEdit->text(), ExpectedStartText(item));
            EXPECT_EQ(pEdit->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
            break;
        }
        case STATIC_TEXT: {
            auto* pLabel = qobject_cast<QLabel*>(pControl);
            ASSERT_NE(pLabel, nullptr);
            EXPECT_TRUE(pLabel->wordWrap());
            EXPECT_EQ(pLabel->text(), ExpectedStartText(item));
            break;
        }
        case PUSH_BUTTON: {
            auto* pButton = dynamic_cast<CWrappingPushButton*>(pControl);
            ASSERT_NE(pButton, nullptr);
            EXPECT_EQ(pButton->text(), ExpectedStartText(item));
            EXPECT_FALSE(pButton->autoDefault());
            break;
        }
        case GROUP_BOX: {
            auto* pGroup = qobject_cast<QGroupBox*>(pControl);
            ASSERT_NE(pGroup, nullptr);
            EXPECT_EQ(pGroup->title(), ExpectedStartText(item));
            EXPECT_TRUE(pGroup->testAttribute(Qt::WA_TransparentForMouseEvents));
            break;
        }
        case CHECK_BOX: {
            auto* pBox = qobject_cast<QCheckBox*>(pControl);
            ASSERT_NE(pBox, nullptr);
            EXPECT_EQ(pBox->text(), ExpectedStartText(item));
            break;
        }
    }
}

TEST(PanelDialog, EveryControlIsBuiltFromTheTableAndStartsAsItShould) {
    CSonvikDlg dlg;
    WithWindow(dlg, [&](CPanelWindow& window) {
        EXPECT_EQ(window.windowTitle(), "USB Dongle PELKO 2.5 Host Application");
        EXPECT_FALSE(window.windowIcon().isNull());
        EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        const DialogBaseUnits base = window.BaseUnits();
        const PixelRect client = MapDialogRect(0, 0, kDialogWidth, kDialogHeight, base);
        EXPECT_EQ(window.size(), QSize(client.cx, client.cy));

        for (const ControlItem& item : GetPanelControls()) {
            SCOPED_TRACE(item.nId);
            QWidget* pControl = window.Control(item.nId);
            ASSERT_NE(pControl, nullptr);
            EXPECT_EQ(pControl->objectName(), QString("IDC_%1").arg(item.nId));
            const PixelRect rect = MapDialogRect(item.x, item.y, item.cx, item.cy, base);
            EXPECT_EQ(pControl->geometry(), QRect(rect.x, rect.y, rect.cx, rect.cy));
            EXPECT_TRUE(pControl->isVisible());
            EXPECT_TRUE(pControl->isEnabled());
            ExpectKind(pControl, item);
        }
        EXPECT_TRUE(window.CheckBox(IDC_AVAILABLE)->isChecked());
        EXPECT_FALSE(window.CheckBox(IDC_ROAM)->isChecked());
        EXPECT_TRUE(window.CheckBox(IDC_LAST_DIAL)->isChecked());
        EXPECT_FALSE(window.CheckBox(IDC_VOICE_RECOGNITION)->isChecked());
        EXPECT_EQ(window.focusWidget(), window.Control(IDC_USB_NAME));
    });
}

TEST(PanelDialog, TabOrderIsTemplateOrder) {
    CSonvikDlg dlg;
    WithWindow(dlg, [&](CPanelWindow& window) {
        std::vector<int> expected;
        for (const ControlItem& item : GetPanelControls()) {
            if (item.nKind != STATIC_TEXT && item.nKind != GROUP_BOX) {
                expected.push_back(item.nId);
            }
        }
        std::vector<int> chain;
        QWidget* pWidget = window.Control(expected.front());
        do {
            if (pWidget->focusPolicy() & Qt::TabFocus) {
                chain.push_back(pWidget->property("controlId").toInt());
            }
            pWidget = pWidget->nextInFocusChain();
        } while (pWidget != window.Control(expected.front()) && chain.size() < 100);
        chain.erase(std::remove(chain.begin(), chain.end(), 0), chain.end());
        EXPECT_EQ(chain, expected);
    });
}

TEST(PanelDialog, AClickRaisesExactlyItsRequestAndNothingElse) {
    CSonvikDlg dlg;
    WithWindow(dlg, [&](CPanelWindow& window) {
        RequestFlags& flags = dlg.GetRequestFlags();
        for (int i = 0; i < kPanelRequestCount; ++i) {
            SCOPED_TRACE(i);
            auto* pButton = qobject_cast<QAbstractButton*>(
                window.Control(GetRequestControlId(PanelRequest(i))));
            ASSERT_NE(pButton, nullptr);
            const bool bWasChecked = pButton->isChecked();
            QTest::mouseClick(pButton, Qt::LeftButton, {}, pButton->rect().center());
            QTest::mouseClick(pButton, Qt::LeftButton, {}, pButton->rect().center());
            for (int j = 0; j < kPanelRequestCount; ++j) {
                EXPECT_EQ(flags.IsRaised(PanelRequest(j)), i == j) << j;
            }
            EXPECT_EQ(pButton->isChecked(), bWasChecked);  // two clicks on a box: back again
            flags.ClearAll();
        }
        QTest::mouseClick(window.CheckBox(IDC_LAST_DIAL), Qt::LeftButton, {},
                          window.CheckBox(IDC_LAST_DIAL)->rect().center());
        EXPECT_FALSE(window.CheckBox(IDC_LAST_DIAL)->isChecked());
        for (int j = 0; j < kPanelRequestCount; ++j) {
            EXPECT_FALSE(flags.IsRaised(PanelRequest(j)));
        }
    });
}

TEST(PanelDialog, OperationsFromTheWorkerReachTheWindow) {
    CSonvikDlg dlg;
    WithWindow(dlg, [&](CPanelWindow& window) {
        window.Edit(IDC_SIGNAL)->setText("300");
        window.Edit(IDC_BATTERY)->clear();
        window.Edit(IDC_OPERATOR)->setText("Vexmor Mobile");
        window.CheckBox(IDC_ROAM)->setChecked(true);
        window.CheckBox(IDC_AVAILABLE)->setCheckState(Qt::PartiallyChecked);
        std::uint32_t nSignal = 0, nBattery = 9, nMemory = 0;
        WideText name;
        bool bAvailable = false, bRoaming = false, bLastDial = false;
        OnWorker([&] {
            dlg.SetUsbNameText(u"PELKO Dongle");
            dlg.SetDongleStateText(u"Connected");
            dlg.SetCallStateText(u"No Call");
            dlg.SetAudioStateText(u"Disconnected");
            nSignal = dlg.GetSignalStrength();
            nBattery = dlg.GetBatteryLevel();
            nMemory = dlg.GetMemoryDialLocation();
            name = dlg.GetNetworkOperator();
            bAvailable = dlg.IsNetworkAvailable();
            bRoaming = dlg.IsRoaming();
            bLastDial = dlg.IsLastDialEnabled();
            dlg.SetVoiceRecognitionCheck(true);
        });
        EXPECT_EQ(window.Edit(IDC_USB_NAME)->text(), "PELKO Dongle");
        EXPECT_EQ(window.Edit(IDC_DONGLE_STATE)->text(), "Connected");
        EXPECT_EQ(window.Edit(IDC_CALL_STATE)->text(), "No Call");
        EXPECT_EQ(window.Edit(IDC_AUDIO_STATE)->text(), "Disconnected");
        EXPECT_EQ(nSignal, 300u);
        EXPECT_EQ(nBattery, 0u);
        EXPECT_EQ(nMemory, 1u);
        EXPECT_EQ(name, u"Vexmor Mo");
        EXPECT_TRUE(bAvailable);  // any state but unchecked
        EXPECT_TRUE(bRoaming);
        EXPECT_TRUE(bLastDial);
        EXPECT_TRUE(window.CheckBox(IDC_VOICE_RECOGNITION)->isChecked());
        EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(ToggleVoiceRecognition));
    });
}

void ExpectNoWindowAnswers(CSonvikDlg& dlg) {
    test::ExpectNoWindowAnswers(dlg);
    EXPECT_FALSE(dlg.ClickControl(1020));
}

TEST(PanelDialog, WithoutAWindowOperationsAreHarmless) {
    CSonvikDlg dlg;
    ExpectNoWindowAnswers(dlg);
    std::thread worker([&] { ExpectNoWindowAnswers(dlg); });
    worker.join();
    WithWindow(dlg, [](CPanelWindow&) {});
    ExpectNoWindowAnswers(dlg);
    EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(PlaceIncomingCall));
}

TEST(PanelDialog, StartUpClearsTheRequests) {
    CSonvikDlg dlg;
    dlg.GetRequestFlags().Raise(EnterDut);
    WithWindow(dlg, [&](CPanelWindow&) { EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(EnterDut)); });
}

TEST(PanelDialog, EnterClicksAFocusedButtonAndOtherwiseEndsTheDialog) {
    CSonvikDlg dlg;
    WithWindow(dlg, [&](CPanelWindow& window) {
        window.Control(1020)->setFocus();
        QTest::keyClick(window.Control(1020), Qt::Key_Return);
        EXPECT_TRUE(dlg.GetRequestFlags().IsRaised(PlaceIncomingCall));
        EXPECT_TRUE(window.isVisible());
        window.Control(IDC_SIGNAL)->setFocus();
        QTest::keyClick(window.Control(IDC_SIGNAL), Qt::Key_Enter);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Accepted);
    });
    WithWindow(dlg, [&](CPanelWindow& window) {
        window.Control(IDC_ROAM)->setFocus();
        QTest::keyClick(window.Control(IDC_ROAM), Qt::Key_Return);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(dlg.GetRequestFlags().IsRaised(ToggleRoam));
    });
    WithWindow(dlg, [&](CPanelWindow& window) {
        QTest::keyClick(window.Control(IDC_USB_NAME), Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
    });
}

}  // namespace
}  // namespace sonvik::qt
