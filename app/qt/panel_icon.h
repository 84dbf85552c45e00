#pragma once

#include <QIcon>

namespace sonvik::qt {

// Icon 128: the window's large and small icon.
QIcon MakePanelIcon();

}  // namespace sonvik::qt
