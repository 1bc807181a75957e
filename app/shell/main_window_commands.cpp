// The main window's commands that lead to other screens or change the catalogue.
#include <QDesktopServices>
#include <QProgressDialog>
#include <QUrl>

#include "drugbase.h"
#include "drugs/detail_panel.h"
#include "drugs/drug_search_dialog.h"
#include "shell/backup.h"
#include "shell/main_window.h"
#include "shell/small_dialogs.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

constexpr const char* kBackupTitle =
    "データファイル（薬剤ファイル、患者ファイル、編集ファイル）を保存します。\n"
    "保存先ディレクトリを指定して下さい。";

}  // namespace

void MainWindow::drugSearch() {
    drugs::DrugSearchDialog dialog(state_.prompts, resultActions(), this);
    dialog.exec();
}

drugs::ResultsDialog::Actions MainWindow::resultActions() {
    return {
        [this](const std::string& yjcode) {
            if (detailPanel_->show(drugs::DetailPanel::Mode::TextsOnly, yjcode))
                detailPanel_->fillFields();
        },
        [this](const std::string& yjcode) { selectDrugRow(drugList_.findYjCode(yjcode), false); }};
}

void MainWindow::sameKindSearch() {
    if (!requireSelectedDrug("薬剤リストから、同品種を見る薬剤を選択して下さい。")) return;
    const auto& drug = drugList_.row(selectedDrugRow());
    std::vector<drugs::DrugResult> found;
    bool ok;
    {
        WaitWindow wait(this);
        ok = drugs::findSameKind(drug.yjcode, found);
    }
    if (!ok) return databaseFailure();
    if (found.empty()) {
        state_.prompts.message(
            this,
            QStringLiteral("『 %1 』 と同品種の薬剤はありません。").arg(ui::fromCp932(drug.name)),
            "検出なし", ui::Icon::Warning);
        return;
    }
    drugs::ResultsDialog dialog(state_.prompts, resultActions(), this);
    dialog.setObjectName("searchResultsDialog");
    dialog.setWindowTitle("検索結果");
    dialog.setResults(std::move(found));
    dialog.exec();
    detailPanel_->restoreForm();
}

void MainWindow::deleteDrug() {
    if (!requireSelectedDrug("薬剤リストから、削除する薬剤を選択して下さい。")) return;
    const int row = selectedDrugRow();
    const auto drug = drugList_.row(row);
    if (drug.name.empty()) return;
    const int deletable = RecordDell00(drug.yjcode.c_str());
    if (deletable == 1) {
        state_.prompts.message(
            this,
            "データベースから削除できるのはユーザーがご自身で作成・登録した薬剤項目のみです。",
            "削除不可", ui::Icon::Warning);
        return;
    }
    if (deletable > 89) return databaseFailure();
    const QString question =
        QStringLiteral("『 %1 』 の薬剤項目をデータベース上から削除します。よろしいですか？")
            .arg(ui::fromCp932(drug.name));
    if (!state_.prompts.askYesNo(this, question, "削除確認", ui::Icon::Warning)) return;
    if (RecordDell(drug.yjcode.c_str()) > 89) return databaseFailure();
    drugList_.removeDrug(row);
    detailPanel_->show(drugs::DetailPanel::Mode::Clear, {});
}

void MainWindow::comment() {
    CommentDialog dialog(state_.settings, this);
    if (dialog.exec() == QDialog::Accepted) state_.saveSettings(this);
}

void MainWindow::version() {
    VersionDialog dialog(this);
    dialog.exec();
}

void MainWindow::help() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(
        QString::fromStdString((state_.programFolder / "操作方法.html").string())));
}

void MainWindow::backup() {
    const QString chosen = state_.prompts.chooseFolder(this, kBackupTitle);
    if (chosen.isEmpty()) return;
    QProgressDialog progress("データファイルを保存しています。", QString(), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    BackupCallbacks callbacks;
    callbacks.askOverwrite = [this](const std::filesystem::path& target) {
        return state_.prompts.askOverwrite(
            this,
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
        state_.prompts.message(this,
                               QStringLiteral("「%1」を保存できませんでした。（%2）")
                                   .arg(QString::fromStdString(outcome.failed.string()),
                                        QString::fromStdString(outcome.error)),
                               kErrorTitle, ui::Icon::Warning);
        return;
    }
    if (outcome.complete())
        state_.prompts.message(this, "データファイルの保存が完了しました。", "コピー",
                               ui::Icon::Information);
}

}  // namespace shell
