#include "shell/dosage_commands.h"

#include <QAction>

#include "drugs/detail_panel.h"
#include "leaflet/print_entry.h"
#include "shell/catalogue_commands.h"
#include "shell/desk_messages.h"
#include "shell/drug_list_panel.h"
#include "shell/print_list_panel.h"
#include "ui/command_action.h"

namespace shell {

DosageCommands::DosageCommands(desk::Desk& desk, DrugListPanel& drugList,
                               drugs::DetailPanel& detail, PrintListPanel& printList,
                               QWidget* window)
    : QObject(window),
      desk_(desk),
      drugList_(drugList),
      detail_(detail),
      printList_(printList),
      window_(window) {
    setDosage_ = ui::commandAction(this, "actionSetDosage", "用法の設定(&Y)", Qt::Key_F4);
    changeDosage_ =
        ui::commandAction(this, "actionChangeDosage", "用法の変更", Qt::ALT | Qt::Key_C);
    connect(setDosage_, &QAction::triggered, this, &DosageCommands::newEntry);
    connect(changeDosage_, &QAction::triggered, this, &DosageCommands::changeEntry);
}

void DosageCommands::newEntry() {
    if (!requireSelectedDrug(drugList_, desk_.prompts, window_,
                             "薬剤リストから、用法を設定する薬剤を選択して下さい。"))
        return;
    const std::string yjcode = drugList_.model().row(drugList_.selectedRow()).yjcode;
    // The window works on the selected drug, so the panel shows it too.
    if (!detail_.show(drugs::DetailPanel::Mode::Fill, yjcode))
        return showDatabaseFailure(desk_.prompts, window_);
    for (const DrugRecord& entry : desk_.printList().entries()) {
        if (leaflet::field(entry.YJCODE) == yjcode) {
            desk_.prompts.message(window_, "選択した薬剤は印刷リストにあります。", "確認",
                                  ui::Icon::Information);
            break;
        }
    }
    openWindow(dosage::DosageWindow::Mode::kNewEntry);
}

void DosageCommands::changeEntry() {
    if (firstSelectedEntry() < 0) {
        desk_.prompts.message(window_, "印刷リストから服用情報を変更する項目を選択して下さい。",
                              "項目選択", ui::Icon::Information);
        return;
    }
    openWindow(dosage::DosageWindow::Mode::kChange);
}

void DosageCommands::openWindow(dosage::DosageWindow::Mode mode) {
    if (dosageWindow_) dosageWindow_->close();
    const QImage photo = detail_.photoShown() ? detail_.photo() : QImage();
    dosageWindow_ = new dosage::DosageWindow(desk_, *this, mode, detail_.record(), photo, window_);
    dosageWindow_->setAttribute(Qt::WA_DeleteOnClose);
    dosageWindow_->show();
    dosageWindow_->activateWindow();  // the keys go on in the window just opened
}

int DosageCommands::firstSelectedEntry() const {
    return printList_.firstSelectedEntry();
}

dosage::DrugReload DosageCommands::reloadSelectedDrug(DrugRecord& record, QImage& photo) {
    if (drugList_.model().count() == 0) return dosage::DrugReload::kNoDrugList;
    const int row = drugList_.selectedRow();
    if (row < 0) return dosage::DrugReload::kNoSelection;
    const std::string yjcode = drugList_.model().row(row).yjcode;
    if (yjcode.empty()) return dosage::DrugReload::kEmptyCode;
    if (!detail_.show(drugs::DetailPanel::Mode::Fill, yjcode)) {
        showDatabaseFailure(desk_.prompts, window_);
        return dosage::DrugReload::kFailed;
    }
    record = detail_.record();
    photo = detail_.photoShown() ? detail_.photo() : QImage();
    return dosage::DrugReload::kReloaded;
}

void DosageCommands::clearSearchBoxes() {
    drugList_.clearSearchBoxes();
}

void DosageCommands::entryStored() {
    drugList_.focusCodeSearch();
}

bool DosageCommands::autoUsage() const {
    return desk_.settings.autoDosage == 1;
}

void DosageCommands::setAutoUsage(bool on) {
    desk_.settings.autoDosage = on ? 1 : 0;
    desk_.saveSettings(window_);
}

}  // namespace shell
