// Choice buttons that only show a choice: the mouse cannot change them.
#pragma once

class QAbstractButton;

namespace ui {

// Swallows the button's mouse presses, releases and double clicks and keeps the keyboard
// focus away from it, so its checked state stays as the window set it.
void ignoreMouseClicks(QAbstractButton* button);

}  // namespace ui
