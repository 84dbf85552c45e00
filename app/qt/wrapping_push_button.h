#pragma once

#include <QPushButton>

namespace sonvik::qt {

// A push button whose text wraps onto several lines, as the dialog's buttons do on Windows.
class CWrappingPushButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* pEvent) override;
};

}  // namespace sonvik::qt
