#include "shell/tool_commands.h"

#include <QAction>

#include "shell/audit_log_dialog.h"
#include "shell/backup_command.h"
#include "shell/help_window.h"
#include "shell/pharmacy_dialog.h"
#include "shell/print_settings_dialog.h"
#include "shell/small_dialogs.h"
#include "ui/command_action.h"

namespace shell {
ToolCommands::ToolCommands(desk::Desk& desk, QWidget* window)
    : QObject(window), desk_(desk), window_(window) {
    comment_ = ui::commandAction(this, "actionComment", "コメント");
    backup_ = ui::commandAction(this, "actionBackup", "データ保存");
    pharmacy_ = ui::commandAction(this, "actionPharmacy", "薬局情報");
    version_ = ui::commandAction(this, "actionVersion", "ﾊﾞｰｼﾞｮﾝ情報");
    help_ = ui::commandAction(this, "actionHelp", "操作方法");
    auditLog_ = ui::commandAction(this, "actionAuditLog", "監査ログ");
    connect(comment_, &QAction::triggered, this, &ToolCommands::editComment);
    connect(backup_, &QAction::triggered, this, &ToolCommands::backUp);
    connect(pharmacy_, &QAction::triggered, this, &ToolCommands::editPharmacy);
    connect(version_, &QAction::triggered, this, &ToolCommands::showVersion);
    connect(help_, &QAction::triggered, this, &ToolCommands::openHelp);
    printSettings_ = ui::commandAction(this, "actionPrintSettings", "印刷の設定", Qt::Key_F12);
    connect(auditLog_, &QAction::triggered, this, &ToolCommands::showAuditLog);
    connect(printSettings_, &QAction::triggered, this, &ToolCommands::editPrintSettings);
}

void ToolCommands::editComment() {
    CommentDialog dialog(desk_.settings, desk_.prompts, window_);
    if (dialog.exec() == QDialog::Accepted) desk_.saveSettings(window_);
}

void ToolCommands::editPharmacy() {
    PharmacyDialog dialog(desk_.prompts, window_);
    dialog.exec();
}

void ToolCommands::showVersion() {
    VersionDialog dialog(window_);
    dialog.exec();
}

void ToolCommands::openHelp() {
    showHelp(window_, desk_.prompts, desk_.programFolder);
}

void ToolCommands::showAuditLog() {
    AuditLogDialog dialog(desk_.databaseFolder, desk_.prompts, window_);
    dialog.exec();
}

void ToolCommands::editPrintSettings() {
    PrintSettingsDialog dialog(desk_.settings, window_);
    if (dialog.exec() == QDialog::Accepted && dialog.applyTo(desk_.settings))
        desk_.saveSettings(window_);
}

void ToolCommands::backUp() {
    runBackup(window_, desk_.prompts, desk_.databaseFolder);
}

}  // namespace shell
