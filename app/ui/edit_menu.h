// The pop-up menu of the program's text boxes: copy, select all, paste and cut. Cut and copy
// are offered only while the box has a selection; paste and cut only when the box is editable.
#pragma once

class QTextEdit;

namespace ui {

// Replaces the box's own context menu with this one.
void installEditMenu(QTextEdit* box);

}  // namespace ui
