#pragma once

#include <QDialog>
#include <map>

#include "app/panel_layout.h"
#include "app/panel_request.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;

namespace sonvik::qt {

// The panel's window, laid out from the control table. Clicks raise requests and do nothing
// else; everything else reaches it through CSonvikDlg on the window's own thread.
class CPanelWindow : public QDialog {
    Q_OBJECT

  public:
    CPanelWindow(RequestFlags& flags, std::function<void()> runPendingTasks);

    QWidget* Control(int nId) const;

    // Replaces a read-only field's text at once; its repaint follows within one display frame,
    // so that a worker writing thousands of times a second is not held up by painting.
    void SetFieldText(int nId, const QString& text);
    QLineEdit* Edit(int nId) const;
    QCheckBox* CheckBox(int nId) const;

    // The dialog font's base units, for mapping dialog units to pixels.
    DialogBaseUnits BaseUnits() const { return m_baseUnits; }

  public slots:
    void RunPendingTasks();

  protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

  private:
    QWidget* MakeControl(const ControlItem& item);
    void ConnectRequest(QAbstractButton* pButton, int nId);

    RequestFlags& m_flags;
    std::function<void()> m_runPendingTasks;
    DialogBaseUnits m_baseUnits{};
    std::map<int, QWidget*> m_controls;
    std::map<int, bool> m_repaintPending;
};

}  // namespace sonvik::qt
