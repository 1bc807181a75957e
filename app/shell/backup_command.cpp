#include "shell/backup_command.h"

#include <QString>

#include "data/data_server.h"
#include "shell/backup.h"
#include "shell/backup_progress.h"
#include "shell/desk_messages.h"

namespace shell {
namespace {

// Shown above the folder chooser's tree.
constexpr const char* kBackupInstructions =
    "データファイル（薬剤ファイル、患者ファイル、編集ファイル）を保存します。\n"
    "保存先ディレクトリを指定して下さい。";
constexpr const char* kCopyTitle = "コピー";
// The copies stay encrypted with the folder's key, which is not in the folder.
constexpr const char* kBackupDoneText =
    "データファイルの保存が完了しました。\n"
    "保存したデータは、このデータフォルダーの暗号鍵（金庫に保管している「データ暗号鍵 "
    "回復用シート」）がなければ読めません。";
// On a folder that names a data server; "%1" is where the server is.
constexpr const char* kDataOnServerText =
    "データはデータベースサーバーにあり、この端末のフォルダーにはありません。\n"
    "接続先：%1\n\n"
    "サーバーのデータは、管理者がサーバーで leafletadmin server-backup を使って保存します。"
    "この端末では何も保存しませんでした。";

}  // namespace

void runBackup(QWidget* owner, ui::Prompts& prompts, const std::filesystem::path& databaseFolder) {
    // The folder of a server terminal holds only the connection string and files the program
    // does not use there: a copy of it would look like a backup and restore nothing. Not even
    // 接続先.conf is copied; it is one line the administrator wrote and can write again.
    if (const auto server = data::serverNamedIn(databaseFolder)) {
        const QString place =
            server->empty() ? QString("（既定の接続先）") : QString::fromStdString(*server);
        prompts.message(owner, QString(kDataOnServerText).replace("%1", place), kCopyTitle,
                        ui::Icon::Information);
        return;
    }
    const QString chosen = prompts.chooseFolder(owner, kBackupInstructions);
    if (chosen.isEmpty()) return;
    BackupOutcome outcome;
    {
        BackupProgress progress(owner);
        BackupCallbacks callbacks;
        callbacks.askOverwrite = [&](const std::filesystem::path& target) {
            const QString question = QStringLiteral("「%1」は既に存在します。上書きしますか？")
                                         .arg(QString::fromStdString(target.string()));
            return progress.aside(
                [&] { return prompts.askOverwrite(owner, question, kCopyTitle); });
        };
        callbacks.progress = [&progress](int done, int total) { progress.update(done, total); };
        outcome = backupFolder(databaseFolder, chosen.toStdString(), callbacks);
    }  // the progress window is gone before the outcome is reported
    if (!outcome.failed.empty()) {
        prompts.message(owner,
                        QStringLiteral("「%1」を保存できませんでした。（%2）")
                            .arg(QString::fromStdString(outcome.failed.string()),
                                 QString::fromStdString(outcome.error)),
                        kErrorTitle, ui::Icon::Warning);
        return;
    }
    if (outcome.complete())
        prompts.message(owner, kBackupDoneText, kCopyTitle, ui::Icon::Information);
}

}  // namespace shell
