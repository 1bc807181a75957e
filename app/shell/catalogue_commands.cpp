#include "shell/catalogue_commands.h"

#include <QAction>
#include <memory>

#include "data/patient_register.h"
#include "drugs/detail_panel.h"
#include "drugs/drug_dialog.h"
#include "drugs/drug_search_dialog.h"
#include "shell/desk_messages.h"
#include "shell/drug_list_panel.h"
#include "shell/small_dialogs.h"
#include "ui/command_action.h"
#include "ui/text_convert.h"

namespace shell {

bool requireSelectedDrug(const DrugListPanel& drugList, ui::Prompts& prompts, QWidget* owner,
                         const char* message) {
    if (drugList.selectedRow() >= 0) return true;
    prompts.message(owner, QString::fromUtf8(message), kSelectTitle, ui::Icon::Warning);
    return false;
}

CatalogueCommands::CatalogueCommands(desk::Desk& desk, DrugListPanel& drugList,
                                     drugs::DetailPanel& detail, QWidget* window)
    : QObject(window), desk_(desk), drugList_(drugList), detail_(detail), window_(window) {
    drugSearch_ = ui::commandAction(this, "actionDrugSearch", "薬剤検索", Qt::Key_F2);
    drugDetail_ = ui::commandAction(this, "actionDrugDetail", "薬剤の詳細(&I)", Qt::Key_F3);
    correctDrug_ = ui::commandAction(this, "actionCorrectDrug", "薬剤の訂正(&E)", Qt::Key_F9);
    registerDrug_ = ui::commandAction(this, "actionRegisterDrug", "薬剤の登録(&R)");
    deleteDrug_ = ui::commandAction(this, "actionDeleteDrug", "薬剤の削除(&D)");
    sameKind_ = ui::commandAction(this, "actionSameKind", "同品種の検索");
    connect(drugDetail_, &QAction::triggered, this,
            [this] { openDrugDialog(drugs::DrugDialogMode::View); });
    connect(correctDrug_, &QAction::triggered, this,
            [this] { openDrugDialog(drugs::DrugDialogMode::Correct); });
    connect(registerDrug_, &QAction::triggered, this,
            [this] { openDrugDialog(drugs::DrugDialogMode::Register); });
    connect(drugSearch_, &QAction::triggered, this, &CatalogueCommands::searchDrugs);
    connect(deleteDrug_, &QAction::triggered, this, &CatalogueCommands::removeDrug);
    connect(sameKind_, &QAction::triggered, this, &CatalogueCommands::searchSameKind);
}

drugs::ResultsDialog::Actions CatalogueCommands::resultActions() {
    return {[this](const std::string& yjcode) {
                if (detail_.show(drugs::DetailPanel::Mode::TextsOnly, yjcode)) detail_.fillFields();
            },
            [this](const std::string& yjcode) {
                drugList_.selectRow(drugList_.model().findYjCode(yjcode), false);
            }};
}

void CatalogueCommands::showSelectedDrug() {
    const int row = drugList_.selectedRow();
    if (row >= 0)
        detail_.show(drugs::DetailPanel::Mode::Fill, drugList_.model().row(row).yjcode);
    else
        detail_.show(drugs::DetailPanel::Mode::Clear, {});
}

void CatalogueCommands::searchDrugs() {
    drugs::DrugSearchDialog dialog(desk_.prompts, resultActions(), window_);
    dialog.setRestore([this] { showSelectedDrug(); });
    dialog.exec();
}

void CatalogueCommands::searchSameKind() {
    if (!requireSelectedDrug(drugList_, desk_.prompts, window_,
                             "薬剤リストから、同品種を見る薬剤を選択して下さい。"))
        return;
    const data::DrugRowView drug = drugList_.model().row(drugList_.selectedRow());
    const QString name = ui::fromCp932(drug.name);
    std::vector<data::DrugMatch> found;
    data::DataResult result;
    {
        WaitWindow wait(window_);
        result = catalogue_.sameKind(drug.yjcode, found);
    }
    if (result != data::DataResult::kDone) return showDatabaseFailure(desk_.prompts, window_);
    if (found.empty()) {
        desk_.prompts.message(window_,
                              QStringLiteral("『 %1 』 と同品種の薬剤はありません。").arg(name),
                              "検出なし", ui::Icon::Warning);
        return;
    }
    drugs::ResultsDialog dialog(desk_.prompts, resultActions(), window_);
    dialog.setObjectName("searchResultsDialog");
    dialog.setWindowTitle("検索結果");
    dialog.setResults(std::move(found));
    dialog.setRestore([this] { showSelectedDrug(); });
    dialog.exec();
    detail_.restoreForm();
}

void CatalogueCommands::removeDrug() {
    if (!requireSelectedDrug(drugList_, desk_.prompts, window_,
                             "薬剤リストから、削除する薬剤を選択して下さい。"))
        return;
    const int row = drugList_.selectedRow();
    // Copies: the list's texts are views that a change of the list would leave dangling, and a
    // question stands between reading and deleting.
    const data::DrugRowView view = drugList_.model().row(row);
    if (view.name.empty()) return;
    const std::string yjcode = view.yjcode;
    const QString name = ui::fromCp932(view.name);
    switch (catalogue_.deletable(yjcode)) {
        case data::Deletion::kSupplied:
            desk_.prompts.message(
                window_,
                "データベースから削除できるのはユーザーがご自身で作成・登録した薬剤項目のみです。",
                "削除不可", ui::Icon::Warning);
            return;
        case data::Deletion::kFailed:
            return showDatabaseFailure(desk_.prompts, window_);
        case data::Deletion::kAllowed:
            break;
    }
    // Stored leaflets keep the drug's code: recalling one later moves its other drugs only.
    int uses = 0;
    if (data::PatientRegister().leafletsUsing(yjcode, uses) == data::DataResult::kFailed)
        return showDatabaseFailure(desk_.prompts, window_);
    const QString question =
        (uses > 0
             ? QStringLiteral("この薬剤は保存された投薬履歴 %1 件で使われています。"
                              "削除すると、それらの投薬履歴からはこの薬剤を呼び出せません。\r\n")
                   .arg(uses)
             : QString()) +
        QStringLiteral("『 %1 』 の薬剤項目をデータベース上から削除します。よろしいですか？")
            .arg(name);
    if (!desk_.prompts.askYesNo(window_, question, "削除確認", ui::Icon::Warning, ui::Default::No))
        return;
    if (catalogue_.remove(yjcode) != data::DataResult::kDone)
        return showDatabaseFailure(desk_.prompts, window_);
    drugList_.model().removeDrug(row);
    detail_.show(drugs::DetailPanel::Mode::Clear, {});
}

data::DrugOrder CatalogueCommands::listOrder() const {
    return desk_.settings.options[settings::kOptionDrugListOrder] == 1 ? data::DrugOrder::ByCode
                                                                       : data::DrugOrder::ByName;
}

void CatalogueCommands::openDrugDialog(drugs::DrugDialogMode mode) {
    using Mode = drugs::DrugDialogMode;
    DrugRecord before{};
    const int row = drugList_.selectedRow();
    if (mode != Mode::Register) {
        if (!requireSelectedDrug(drugList_, desk_.prompts, window_,
                                 mode == Mode::View
                                     ? "薬剤リストから情報を閲覧する薬剤を選択して下さい。"
                                     : "薬剤リストから情報を訂正する薬剤を選択して下さい。"))
            return;
        if (catalogue_.detail(drugList_.model().row(row).yjcode, before) != data::DataResult::kDone)
            return showDatabaseFailure(desk_.prompts, window_);
    }
    drugs::DrugDialog dialog(mode, before, desk_.programFolder, desk_.prompts, window_);
    const bool stored = dialog.exec() == QDialog::Accepted && mode != Mode::View;
    if (!stored) {
        // A photograph chosen in correct mode is stored even when the dialog is cancelled.
        if (mode == Mode::Correct && detail_.shownCode() == drugs::yjcodeOf(before))
            detail_.show(drugs::DetailPanel::Mode::Fill, detail_.shownCode());
        return;
    }
    const DrugRecord& after = dialog.record();
    const auto change = mode == Mode::Register ? drugs::ListChange::Move
                                               : drugs::listChange(before, after, listOrder());
    const int at = drugs::placeDrug(drugList_.model(), mode == Mode::Register ? -1 : row, change,
                                    after, listOrder(), catalogue_);
    drugList_.selectRow(at, false);
    if (detail_.show(drugs::DetailPanel::Mode::Fill, drugs::yjcodeOf(after)) &&
        mode == Mode::Correct)
        refreshPrintEntries(detail_.record());
}

// The corrected drug's entries are rewritten aside, then stored row by row through the desk.
void CatalogueCommands::refreshPrintEntries(const DrugRecord& drug) {
    auto refreshed = std::make_unique<leaflet::PrintList>(desk_.printList());
    if (drugs::refreshPrintEntries(*refreshed, drug) == 0) return;
    for (int i = 0; i < refreshed->count(); ++i) {
        const DrugRecord& entry = refreshed->entry(i);
        if (drugs::yjcodeOf(entry) == drugs::yjcodeOf(drug))
            desk_.replace(i, entry, entry.photoFlag == 1 ? &refreshed->photo(i) : nullptr);
    }
}

}  // namespace shell
