// "データ読込": the window shown, centred over its owner, while a long database call runs.
#pragma once

#include <QDialog>

namespace ui {

// Shown from construction, and painted before the constructor returns, for as long as the
// object lives; it has no close box and takes no input.
class WaitWindow : public QDialog {
    Q_OBJECT
  public:
    explicit WaitWindow(QWidget* owner);
};

}  // namespace ui
