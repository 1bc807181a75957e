// What the patient screen asks of the window that opens it (the main window), so that it does
// not depend on that window's class.
#pragma once

#include <QString>

namespace patients {

class PatientHost {
  public:
    virtual ~PatientHost() = default;
    // The text of the main window's patient ID box.
    virtual QString patientIdText() const = 0;
    // Puts the patient into the main window's ID and name boxes and gives the name box the
    // focus.
    virtual void applyPatient(const QString& id, const QString& name) = 0;
    // The print list was replaced: its view must show it.
    virtual void printListChanged() = 0;
    // Puts the dosage form of the drug record the main window holds back into its detail panel,
    // as the drug search-results dialog does when it closes.
    virtual void restoreDosageForm() = 0;
};

}  // namespace patients
