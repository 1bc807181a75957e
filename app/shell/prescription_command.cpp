#include "shell/prescription_command.h"

#include <QAction>

#include "shell/business_panel.h"
#include "shell/drug_list_panel.h"
#include "ui/command_action.h"
#include "ui/text_convert.h"

namespace shell {

PrescriptionCommand::PrescriptionCommand(desk::Desk& desk, DrugListPanel& drugList,
                                         BusinessPanel& business, QWidget* window)
    : QObject(window), desk_(desk), drugList_(drugList), business_(business), window_(window) {
    readPrescription_ =
        ui::commandAction(this, "actionReadPrescription", "処方箋読取(&R)", Qt::Key_F7);
    connect(readPrescription_, &QAction::triggered, this, &PrescriptionCommand::open);
}

void PrescriptionCommand::open() {
    delete dialog_;
    dialog_ = new intake::IntakeDialog(desk_, *this, window_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->show();
    dialog_->activateWindow();
}

void PrescriptionCommand::usePrescriber(const std::string& text) {
    if (text.empty()) return;
    const bool add =
        !business_.listsPrescriber(text) &&
        desk_.prompts.askYesNo(
            window_, "処方医「" + ui::fromCp932(text) + "」を処方医リストに追加しますか？", "確認",
            ui::Icon::Information, ui::Default::Yes);
    business_.usePrescriber(text, add);
}

std::string PrescriptionCommand::selectedDrugYjCode() const {
    const int row = drugList_.selectedRow();
    return row < 0 ? std::string() : drugList_.model().row(row).yjcode;
}

}  // namespace shell
