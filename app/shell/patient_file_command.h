// "患者ファイル(F1)": opens the patient screen (a second opening replaces the open one) and
// carries what it does back into the main window: the patient applied into the patient row, a
// recalled leaflet into the print list's view.
#pragma once

#include <QObject>
#include <QPointer>

#include "patients/patient_host.h"
#include "patients/patient_screen.h"
#include "shell/app_state.h"

namespace drugs {
class DetailPanel;
}

namespace shell {

class PatientRow;
class PrintListPanel;

class PatientFileCommand : public QObject, public patients::PatientHost {
    Q_OBJECT
  public:
    PatientFileCommand(AppState& state, PatientRow& row, PrintListPanel& printList,
                       drugs::DetailPanel& detail, QWidget* window);

    // The patient screen while it is open.
    patients::PatientScreen* screen() const { return screen_; }

    QString patientIdText() const override;
    void applyPatient(const QString& id, const QString& name) override;
    void printListChanged() override;
    void restoreDosageForm() override;

  private:
    void open();

    AppState& state_;
    PatientRow& row_;
    PrintListPanel& printList_;
    drugs::DetailPanel& detail_;
    QWidget* window_;
    QPointer<patients::PatientScreen> screen_;
};

}  // namespace shell
