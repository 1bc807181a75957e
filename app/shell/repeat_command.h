// The main window's 前回Do (F8): the applied patient's newest stored leaflet back into the print
// list, drugs, dosage and photographs, as the patient screen's transfer puts a recalled one.
#pragma once

#include <QObject>

#include "desk/desk.h"

class QAction;
class QWidget;

namespace shell {

class RepeatCommand : public QObject {
    Q_OBJECT
  public:
    RepeatCommand(desk::Desk& desk, QWidget* window);

    QAction* repeatLast() const { return repeatLast_; }

  private:
    void repeat();
    void say(const char* text);

    desk::Desk& desk_;
    QWidget* window_;
    QAction* repeatLast_;
};

}  // namespace shell
