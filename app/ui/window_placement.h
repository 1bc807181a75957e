// Where the program's windows open on the desktop.
#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Moves `window` so that its centre is the centre of the work area (the screen without task
// bars) of the screen it is on; its size is unchanged.
void centreOnWorkArea(QWidget* window);

// Gives `window` the size `wanted`, made smaller where the work area `available` is smaller
// (room is kept for a title bar and borders, never less than the window's minimum size), and
// centres it on that area, so that the whole window with its buttons is on screen.
void placeWithin(QWidget* window, QSize wanted, const QRect& available);
// The same on the work area of the screen the window is on.
void placeOnWorkArea(QWidget* window, QSize wanted);

}  // namespace ui
