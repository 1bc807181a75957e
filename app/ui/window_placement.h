// Where the program's windows open on the desktop.
#pragma once

class QWidget;

namespace ui {

// Moves `window` so that its centre is the centre of the work area (the screen without task
// bars) of the screen it is on; its size is unchanged.
void centreOnWorkArea(QWidget* window);

}  // namespace ui
