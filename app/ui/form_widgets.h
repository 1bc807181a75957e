// The plain labels and byte-limited text boxes the program's windows are laid out with.
#pragma once

#include <QColor>
#include <QRect>
#include <cstddef>

class QLabel;
class QLineEdit;
class QWidget;

namespace ui {

// A label with `text` (UTF-8) in `colour` at `geometry` of `parent`.
QLabel* label(QWidget* parent, const char* text, const QRect& geometry,
              const QColor& colour = Qt::black);

// A line edit named `name` at `geometry` of `parent` holding at most `maxBytes` CP932 bytes.
QLineEdit* lineEdit(QWidget* parent, const char* name, const QRect& geometry, std::size_t maxBytes);

}  // namespace ui
