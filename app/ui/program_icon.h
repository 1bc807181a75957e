// The program's icon (data/desktop/leafletdesk.svg, built into the program).
#pragma once

#include <QIcon>

namespace ui {

// A null icon when Qt's SVG support (Debian libqt6svg6) is missing.
QIcon programIcon();

}  // namespace ui
