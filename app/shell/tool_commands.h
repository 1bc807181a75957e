// The main window's tool commands: the comment printed on every page, the backup of the data
// files, the pharmacy for the e-medication-handbook codes, the version dialog and the help page.
#pragma once

#include <QObject>

#include "desk/desk.h"

class QAction;
class QWidget;

namespace shell {

class ToolCommands : public QObject {
    Q_OBJECT
  public:
    ToolCommands(desk::Desk& desk, QWidget* window);

    QAction* comment() const { return comment_; }
    QAction* backup() const { return backup_; }
    QAction* pharmacy() const { return pharmacy_; }
    QAction* version() const { return version_; }
    QAction* help() const { return help_; }

  private:
    void editComment();
    void backUp();
    void editPharmacy();
    void showVersion();
    void openHelp();

    desk::Desk& desk_;
    QWidget* window_;
    QAction* comment_;
    QAction* backup_;
    QAction* pharmacy_;
    QAction* version_;
    QAction* help_;
};

}  // namespace shell
