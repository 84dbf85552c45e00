#include "app/qt/wrapping_push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace sonvik::qt {

void CWrappingPushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear();  // the bevel and focus frame from the style, the text wrapped by us
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(),
                         text, QPalette::ButtonText);
}

}  // namespace sonvik::qt
