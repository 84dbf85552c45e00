#include "app/qt/panel_icon.h"

#include <QPixmap>

#include "app/resources/sonvik_icon.xpm"

namespace sonvik::qt {

QIcon MakePanelIcon() {
    return QIcon(QPixmap(sonvik_icon_xpm));
}

}  // namespace sonvik::qt
