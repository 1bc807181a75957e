// What the patient screen asks of the window that opens it (the main window), so that it does
// not depend on that window's class. The patient and the print list go through the desk.
#pragma once

namespace patients {

class PatientHost {
  public:
    virtual ~PatientHost() = default;
    // A patient was applied to the desk: the main window comes forward with the focus in its
    // name box.
    virtual void patientApplied() = 0;
    // Puts the dosage form of the drug record the main window holds back into its detail panel,
    // as the drug search-results dialog does when it closes.
    virtual void restoreDosageForm() = 0;
};

}  // namespace patients
