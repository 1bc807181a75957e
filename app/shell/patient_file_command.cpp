#include "shell/patient_file_command.h"

#include <QAction>

#include "drugs/detail_panel.h"
#include "patients/patient_screen.h"
#include "shell/patient_row.h"
#include "shell/print_list_panel.h"

namespace shell {

PatientFileCommand::PatientFileCommand(AppState& state, PatientRow& row, PrintListPanel& printList,
                                       drugs::DetailPanel& detail, QWidget* window)
    : QObject(window),
      state_(state),
      row_(row),
      printList_(printList),
      detail_(detail),
      window_(window) {
    connect(row_.patientFileAction(), &QAction::triggered, this, &PatientFileCommand::open);
}

void PatientFileCommand::open() {
    delete screen_;
    screen_ = new patients::PatientScreen(state_, *this, window_);
    screen_->show();
    if (!screen_->load()) return;
    screen_->activateWindow();
}

QString PatientFileCommand::patientIdText() const {
    return row_.idText();
}

void PatientFileCommand::applyPatient(const QString& id, const QString& name) {
    row_.setPatient(id, name);
    state_.currentPatientId = id.toInt();
    window_->activateWindow();
    row_.focusName();
}

void PatientFileCommand::printListChanged() {
    printList_.model().refresh();
}

void PatientFileCommand::restoreDosageForm() {
    detail_.restoreForm();
}

}  // namespace shell
