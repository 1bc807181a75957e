#include "shell/patient_file_command.h"

#include <QAction>

#include "drugs/detail_panel.h"
#include "patients/patient_screen.h"
#include "shell/patient_row.h"

namespace shell {

PatientFileCommand::PatientFileCommand(desk::Desk& desk, PatientRow& row,
                                       drugs::DetailPanel& detail, QWidget* window)
    : QObject(window), desk_(desk), row_(row), detail_(detail), window_(window) {
    connect(row_.patientFileAction(), &QAction::triggered, this, &PatientFileCommand::open);
}

void PatientFileCommand::open() {
    delete screen_;
    screen_ = new patients::PatientScreen(desk_, *this, window_);
    screen_->show();
    if (!screen_->load()) return;
    screen_->activateWindow();
}

void PatientFileCommand::patientApplied() {
    window_->activateWindow();
    row_.focusName();
}

void PatientFileCommand::restoreDosageForm() {
    detail_.restoreForm();
}

}  // namespace shell
