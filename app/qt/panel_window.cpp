#include "app/qt/panel_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "app/qt/wrapping_push_button.h"

namespace sonvik::qt {

namespace {

// The dialog font: the desktop's face at the dialog's 8 points.
QFont DialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}

// As the window system measures a dialog font: the average width of the 52 Latin letters,
// rounded, and the font's height.
DialogBaseUnits MeasureBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int nWidth =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(nWidth / 26 + 1) / 2, metrics.height()};
}

// A check box that toggles wherever its rectangle is clicked, as on Windows; Qt's own only
// takes clicks on the box and its text.
class CWholeAreaCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QString FromWide(const char16_t* pszText) {
    return QString::fromUtf16(pszText);
}

QLineEdit* MakeLineEdit(QWidget* pParent, ControlKind nKind) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setReadOnly(nKind == READONLY_EDIT);
    if (nKind == NUMBER_EDIT) {
        // Digits only from the keyboard; code may still set any text.
        pEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), pEdit));
    }
    return pEdit;
}

}  // namespace

CPanelWindow::CPanelWindow(RequestFlags& flags, std::function<void()> runPendingTasks)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_flags(flags),
      m_runPendingTasks(std::move(runPendingTasks)) {
    setFont(DialogFont());
    m_baseUnits = MeasureBaseUnits(font());
    setWindowTitle("Sonvik");  // the template's caption, until start-up sets the title
    const PixelRect client = MapDialogRect(0, 0, kDialogWidth, kDialogHeight, m_baseUnits);
    setFixedSize(client.cx, client.cy);
    for (const ControlItem& item : GetPanelControls()) {
        QWidget* pControl = MakeControl(item);
        const PixelRect rect = MapDialogRect(item.x, item.y, item.cx, item.cy, m_baseUnits);
        pControl->setGeometry(rect.x, rect.y, rect.cx, rect.cy);
        pControl->setObjectName(QString("IDC_%1").arg(item.nId));
        pControl->setProperty("controlId", item.nId);
        m_controls[item.nId] = pControl;
    }
}

QWidget* CPanelWindow::MakeControl(const ControlItem& item) {
    const QString text = FromWide(item.pszTemplateText);
    switch (item.nKind) {
        case READONLY_EDIT:
        case NUMBER_EDIT:
        case EDIT:
            return MakeLineEdit(this, item.nKind);
        case STATIC_TEXT: {
            auto* pLabel = new QLabel(text, this);
            pLabel->setWordWrap(true);
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return pLabel;
        }
        case PUSH_BUTTON: {
            auto* pButton = new CWrappingPushButton(text, this);
            pButton->setAutoDefault(false);  // Enter is the dialog's, as below
            ConnectRequest(pButton, item.nId);
            return pButton;
        }
        case GROUP_BOX: {
            // A frame behind its neighbours that never takes a click, as on Windows.
            auto* pGroup = new QGroupBox(text, this);
            pGroup->setAttribute(Qt::WA_TransparentForMouseEvents);
            pGroup->lower();
            return pGroup;
        }
        case CHECK_BOX: {
            auto* pBox = new CWholeAreaCheckBox(text, this);
            ConnectRequest(pBox, item.nId);
            return pBox;
        }
    }
    return nullptr;
}

void CPanelWindow::ConnectRequest(QAbstractButton* pButton, int nId) {
    const int nRequest = FindRequestOfControl(nId);
    if (nRequest < 0) {
        return;
    }
    connect(pButton, &QAbstractButton::clicked, this,
            [this, nRequest] { m_flags.Raise(static_cast<PanelRequest>(nRequest)); });
}

QWidget* CPanelWindow::Control(int nId) const {
    const auto it = m_controls.find(nId);
    return it != m_controls.end() ? it->second : nullptr;
}

QLineEdit* CPanelWindow::Edit(int nId) const {
    return qobject_cast<QLineEdit*>(Control(nId));
}

QCheckBox* CPanelWindow::CheckBox(int nId) const {
    return qobject_cast<QCheckBox*>(Control(nId));
}

void CPanelWindow::SetFieldText(int nId, const QString& text) {
    constexpr int kFrameMilliseconds = 16;
    QLineEdit* pEdit = Edit(nId);
    if (!m_repaintPending[nId]) {
        m_repaintPending[nId] = true;
        pEdit->setUpdatesEnabled(false);
        QTimer::singleShot(kFrameMilliseconds, pEdit, [this, nId, pEdit] {
            m_repaintPending[nId] = false;
            pEdit->setUpdatesEnabled(true);  // and repaints it
        });
    }
    pEdit->setText(text);
}

void CPanelWindow::RunPendingTasks() {
    m_runPendingTasks();
}

// Enter clicks the push button that has the focus and otherwise ends the dialog; Escape ends it.
void CPanelWindow::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) {
        if (auto* pButton = qobject_cast<QPushButton*>(focusWidget())) {
            pButton->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(pEvent);
}

}  // namespace sonvik::qt
