#include "app/qt/sonvik_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include "app/qt/panel_icon.h"
#include "app/qt/panel_window.h"
#include "app/string_table.h"

namespace sonvik::qt {

namespace {

QString ToQString(const WideText& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

WideText ToWide(const QString& text) {
    return text.toStdU16String();
}

}  // namespace

CSonvikDlg::CSonvikDlg() = default;

CSonvikDlg::~CSonvikDlg() = default;

void CSonvikDlg::DoModal() {
    CPanelWindow window(m_bRequest, [this] { RunPendingTasks(); });
    OnInitDialog(window);
    OpenGate(&window);
    if (m_onWindowShown) {
        QTimer::singleShot(0, &window, [this, &window] { m_onWindowShown(window); });
    }
    window.exec();
    CloseGate();
}

void CSonvikDlg::OnInitDialog(CPanelWindow& window) {
    window.setWindowIcon(MakePanelIcon());
    window.setWindowTitle(ToQString(LoadStringText(IDS_WINDOW_TITLE)));
    for (const unsigned nStringId : GetInitialTextOrder()) {
        QWidget* pControl = window.Control(FindControlOfString(nStringId)->nId);
        const QString text = ToQString(LoadStringText(nStringId));
        pControl->setProperty(pControl->inherits("QGroupBox") ? "title" : "text", text);
    }
    for (const InitialNumber& number : GetInitialNumbers()) {
        window.Edit(number.nId)->setText(QString::number(number.nValue));
    }
    for (const InitialCheck& check : GetInitialChecks()) {
        window.CheckBox(check.nId)->setChecked(check.bChecked);
    }
    m_bRequest.ClearAll();
    window.Control(IDC_USB_NAME)->setFocus();
}

void CSonvikDlg::OpenGate(CPanelWindow* pWindow) {
    std::lock_guard lock(m_mutex);
    m_pWindow = pWindow;
    m_shownTexts.clear();
}

void CSonvikDlg::CloseGate() {
    {
        std::lock_guard lock(m_mutex);
        m_pWindow = nullptr;
        m_pending.clear();
    }
    m_taskDone.notify_all();
}

void CSonvikDlg::RunPendingTasks() {
    {
        std::lock_guard lock(m_mutex);
        while (!m_pending.empty() && m_pWindow != nullptr) {
            const std::shared_ptr<Task> task = m_pending.front();
            m_pending.pop_front();
            task->run(*m_pWindow);
            task->bDone = true;
        }
    }
    m_taskDone.notify_all();
}

bool CSonvikDlg::OnWindow(const std::function<void(CPanelWindow&)>& fn) {
    std::unique_lock lock(m_mutex);
    if (m_pWindow == nullptr) {
        return false;
    }
    if (QThread::currentThread() == m_pWindow->thread()) {
        fn(*m_pWindow);
        return true;
    }
    auto task = std::make_shared<Task>();
    task->run = fn;
    m_pending.push_back(task);
    QMetaObject::invokeMethod(m_pWindow, "RunPendingTasks", Qt::QueuedConnection);
    m_taskDone.wait(lock, [&] { return task->bDone || m_pWindow == nullptr; });
    return task->bDone;
}

void CSonvikDlg::WriteFieldText(int nId, const WideText& text) {
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_shownTexts.find(nId);
        if (m_pWindow == nullptr || (it != m_shownTexts.end() && it->second == text)) {
            return;
        }
    }
    OnWindow([&](CPanelWindow& window) {
        window.SetFieldText(nId, ToQString(text));
        m_shownTexts[nId] = text;  // runs under m_mutex
    });
}

WideText CSonvikDlg::ReadFieldText(int nId, std::size_t nMaxUnits) {
    WideText text;
    OnWindow([&](CPanelWindow& window) { text = ToWide(window.Edit(nId)->text()); });
    return text.substr(0, nMaxUnits);
}

bool CSonvikDlg::IsBoxChecked(int nId) {
    bool bChecked = false;
    OnWindow([&](CPanelWindow& window) {
        bChecked = window.CheckBox(nId)->checkState() != Qt::Unchecked;
    });
    return bChecked;
}

void CSonvikDlg::SetBoxCheck(int nId, bool bChecked) {
    OnWindow([&](CPanelWindow& window) { window.CheckBox(nId)->setChecked(bChecked); });
}

WideText CSonvikDlg::GetControlText(int nId) {
    WideText text;
    OnWindow([&](CPanelWindow& window) {
        if (QWidget* pControl = window.Control(nId)) {
            text = ToWide(pControl->property("text").toString());
        }
    });
    return text;
}

bool CSonvikDlg::SetControlText(int nId, const WideText& text) {
    bool bSet = false;
    OnWindow([&](CPanelWindow& window) {
        if (QLineEdit* pEdit = window.Edit(nId)) {
            pEdit->setText(ToQString(text));
            bSet = true;
        }
    });
    return bSet;
}

bool CSonvikDlg::SetCheck(int nId, bool bChecked) {
    bool bSet = false;
    OnWindow([&](CPanelWindow& window) {
        if (QCheckBox* pBox = window.CheckBox(nId)) {
            pBox->setChecked(bChecked);
            bSet = true;
        }
    });
    return bSet;
}

bool CSonvikDlg::ClickControl(int nId) {
    bool bClicked = false;
    OnWindow([&](CPanelWindow& window) {
        if (auto* pButton = qobject_cast<QAbstractButton*>(window.Control(nId))) {
            pButton->click();
            bClicked = true;
        }
    });
    return bClicked;
}

bool CSonvikDlg::CloseWindow() {
    return OnWindow([](CPanelWindow& window) { window.reject(); });
}

}  // namespace sonvik::qt
