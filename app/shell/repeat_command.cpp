#include "shell/repeat_command.h"

#include <QAction>
#include <QWidget>

#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "patients/history_recall.h"
#include "shell/desk_messages.h"
#include "ui/command_action.h"

namespace shell {
namespace {

constexpr const char* kRepeatTitle = "前回Do";
constexpr const char* kNoPatientText =
    "患者が適用されていません。\r\n患者ファイル(F1)で患者を適用してから、前回Doを押して下さい。";
constexpr const char* kNoLeafletText = "この患者の投薬履歴は保存されていません。";

}  // namespace

RepeatCommand::RepeatCommand(desk::Desk& desk, QWidget* window)
    : QObject(window), desk_(desk), window_(window) {
    repeatLast_ = ui::commandAction(this, "actionRepeatLast", kRepeatTitle, Qt::Key_F8);
    connect(repeatLast_, &QAction::triggered, this, &RepeatCommand::repeat);
}

void RepeatCommand::say(const char* text) {
    desk_.prompts.message(window_, text, kRepeatTitle, ui::Icon::Information);
}

void RepeatCommand::repeat() {
    const desk::Patient patient = desk_.patient();
    if (patient.id == 0) return say(kNoPatientText);
    const data::PatientRegister patients;
    const data::DrugCatalogue drugs;
    std::vector<data::HistoryEntry> entries;
    if (patients.historyEntries(patient.id, entries) != data::DataResult::kDone)
        return showDatabaseFailure(desk_.prompts, window_);
    patients::HistoryRecall recall(patients, drugs, desk_.programFolder);
    if (!entries.empty() && !recall.recall(patient.id, entries.front()))
        return showDatabaseFailure(desk_.prompts, window_);
    if (recall.empty()) return say(kNoLeafletText);
    switch (recall.replacePrintList(desk_, window_)) {
        case patients::HistoryRecall::Transfer::kDone:
            // The recalled list belongs to the patient it was stored for.
            desk_.changePatient(patient.idText, patient.name, window_);
            break;
        case patients::HistoryRecall::Transfer::kFailed:
            showDatabaseFailure(desk_.prompts, window_);
            break;
        case patients::HistoryRecall::Transfer::kDeclined:
            break;
    }
}

}  // namespace shell
