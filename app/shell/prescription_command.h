// "処方箋読取(F7)": opens the prescription intake dialog (a second opening replaces the open
// one) and carries what it takes into the main window: the print list's view, the patient into
// the patient row, and the prescriber into the prescriber box, with a question before the
// prescriber list gets a new line.
#pragma once

#include <QObject>
#include <QPointer>

#include "intake/intake_dialog.h"
#include "intake/intake_host.h"
#include "shell/app_state.h"

class QAction;

namespace shell {

class BusinessPanel;
class DrugListPanel;
class PatientRow;
class PrintListPanel;

class PrescriptionCommand : public QObject, private intake::IntakeHost {
    Q_OBJECT
  public:
    PrescriptionCommand(AppState& state, PatientRow& row, DrugListPanel& drugList,
                        PrintListPanel& printList, BusinessPanel& business, QWidget* window);

    QAction* readPrescription() const { return readPrescription_; }
    // The intake dialog while it is open.
    intake::IntakeDialog* dialog() const { return dialog_; }

  private:
    void open();

    void printListChanged() override;
    void applyPatient(const QString& id, const QString& name) override;
    void usePrescriber(const std::string& text) override;
    std::string selectedDrugYjCode() const override;

    AppState& state_;
    PatientRow& row_;
    DrugListPanel& drugList_;
    PrintListPanel& printList_;
    BusinessPanel& business_;
    QWidget* window_;
    QAction* readPrescription_;
    QPointer<intake::IntakeDialog> dialog_;
};

}  // namespace shell
