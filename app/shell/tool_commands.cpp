#include "shell/tool_commands.h"

#include <QAction>
#include <QDesktopServices>
#include <QProgressDialog>
#include <QUrl>

#include "shell/backup.h"
#include "shell/desk_messages.h"
#include "shell/small_dialogs.h"
#include "ui/command_action.h"

namespace shell {
namespace {

constexpr const char* kBackupTitle =
    "データファイル（薬剤ファイル、患者ファイル、編集ファイル）を保存します。\n"
    "保存先ディレクトリを指定して下さい。";

}  // namespace

ToolCommands::ToolCommands(AppState& state, QWidget* window)
    : QObject(window), state_(state), window_(window) {
    comment_ = ui::commandAction(this, "actionComment", "コメント");
    backup_ = ui::commandAction(this, "actionBackup", "データ保存");
    version_ = ui::commandAction(this, "actionVersion", "ﾊﾞｰｼﾞｮﾝ情報");
    help_ = ui::commandAction(this, "actionHelp", "操作方法");
    connect(comment_, &QAction::triggered, this, &ToolCommands::editComment);
    connect(backup_, &QAction::triggered, this, &ToolCommands::backUp);
    connect(version_, &QAction::triggered, this, &ToolCommands::showVersion);
    connect(help_, &QAction::triggered, this, &ToolCommands::openHelp);
}

void ToolCommands::editComment() {
    CommentDialog dialog(state_.settings, window_);
    if (dialog.exec() == QDialog::Accepted) state_.saveSettings(window_);
}

void ToolCommands::showVersion() {
    VersionDialog dialog(window_);
    dialog.exec();
}

void ToolCommands::openHelp() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(
        QString::fromStdString((state_.programFolder / "操作方法.html").string())));
}

void ToolCommands::backUp() {
    const QString chosen = state_.prompts.chooseFolder(window_, kBackupTitle);
    if (chosen.isEmpty()) return;
    QProgressDialog progress("データファイルを保存しています。", QString(), 0, 1, window_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    BackupCallbacks callbacks;
    callbacks.askOverwrite = [this](const std::filesystem::path& target) {
        return state_.prompts.askOverwrite(
            window_,
            QStringLiteral("「%1」は既に存在します。上書きしますか？")
                .arg(QString::fromStdString(target.string())),
            "コピー");
    };
    callbacks.progress = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    };
    const BackupOutcome outcome =
        backupFolder(state_.databaseFolder, chosen.toStdString(), callbacks);
    progress.close();
    if (!outcome.failed.empty()) {
        state_.prompts.message(window_,
                               QStringLiteral("「%1」を保存できませんでした。（%2）")
                                   .arg(QString::fromStdString(outcome.failed.string()),
                                        QString::fromStdString(outcome.error)),
                               kErrorTitle, ui::Icon::Warning);
        return;
    }
    if (outcome.complete())
        state_.prompts.message(window_, "データファイルの保存が完了しました。", "コピー",
                               ui::Icon::Information);
}

}  // namespace shell
