// Where the file and folder choosers start: the user's own folders, as the desktop names them.
#pragma once

#include <QString>

namespace ui {

// The user's desktop folder, or the home folder when there is none.
QString desktopFolder();

// The user's documents folder, or the home folder when there is none.
QString documentsFolder();

}  // namespace ui
