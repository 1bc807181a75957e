// "患者ファイル(F1)": opens the patient screen (a second opening replaces the open one) and
// answers what it asks of the main window: coming forward when a patient was applied, and the
// detail panel's dosage form restored.
#pragma once

#include <QObject>
#include <QPointer>

#include "desk/desk.h"
#include "patients/patient_host.h"
#include "patients/patient_screen.h"

namespace drugs {
class DetailPanel;
}

namespace shell {

class PatientRow;

class PatientFileCommand : public QObject, public patients::PatientHost {
    Q_OBJECT
  public:
    PatientFileCommand(desk::Desk& desk, PatientRow& row, drugs::DetailPanel& detail,
                       QWidget* window);

    // The patient screen while it is open.
    patients::PatientScreen* screen() const { return screen_; }

    void patientApplied() override;
    void restoreDosageForm() override;

  private:
    void open();

    desk::Desk& desk_;
    PatientRow& row_;
    drugs::DetailPanel& detail_;
    QWidget* window_;
    QPointer<patients::PatientScreen> screen_;
};

}  // namespace shell
