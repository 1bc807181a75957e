// The main window's tool commands: the comment printed on every page, the backup of the data
// files, the pharmacy for the e-medication-handbook codes, the version dialog, the help page and
// the audit trail and the leaflet's optional elements.
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
    QAction* auditLog() const { return auditLog_; }
    QAction* printSettings() const { return printSettings_; }

  private:
    void editComment();
    void backUp();
    void editPharmacy();
    void showVersion();
    void openHelp();
    void showAuditLog();
    void editPrintSettings();

    desk::Desk& desk_;
    QWidget* window_;
    QAction* comment_;
    QAction* backup_;
    QAction* pharmacy_;
    QAction* version_;
    QAction* help_;
    QAction* auditLog_;
    QAction* printSettings_;
};

}  // namespace shell
