// "処方箋読取(F7)": opens the prescription intake dialog (a second opening replaces the open
// one) and answers what it asks of the main window: the drug selected in the drug list, and the
// prescriber for the prescriber box, with a question before the prescriber list gets a new line.
// The drugs and the patient it takes go to the desk.
#pragma once

#include <QObject>
#include <QPointer>

#include "desk/desk.h"
#include "intake/intake_dialog.h"
#include "intake/intake_host.h"

class QAction;

namespace shell {

class BusinessPanel;
class DrugListPanel;

class PrescriptionCommand : public QObject, private intake::IntakeHost {
    Q_OBJECT
  public:
    PrescriptionCommand(desk::Desk& desk, DrugListPanel& drugList, BusinessPanel& business,
                        QWidget* window);

    QAction* readPrescription() const { return readPrescription_; }
    // The intake dialog while it is open.
    intake::IntakeDialog* dialog() const { return dialog_; }

  private:
    void open();

    void usePrescriber(const std::string& text) override;
    std::string selectedDrugYjCode() const override;

    desk::Desk& desk_;
    DrugListPanel& drugList_;
    BusinessPanel& business_;
    QWidget* window_;
    QAction* readPrescription_;
    QPointer<intake::IntakeDialog> dialog_;
};

}  // namespace shell
