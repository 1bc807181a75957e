// "患者情報": registers a new patient (with the first free ID proposed) or corrects the
// patient chosen on the patient screen, then brings that screen's list and details up to date.
#pragma once

#include <QDialog>

#include "data/patient_register.h"
#include "patients/patient_entry.h"
#include "ui/prompts.h"

namespace patients {

class PatientForm;
class PatientScreen;

class PatientInfoDialog : public QDialog {
    Q_OBJECT
  public:
    // `patientId` is the patient to correct (unused when registering).
    PatientInfoDialog(const data::PatientRegister& patients, ui::Prompts& prompts, EntryMode mode,
                      int patientId, PatientScreen& screen);

    PatientForm& form() { return *form_; }

  private:
    void store();

    const data::PatientRegister& patients_;
    ui::Prompts& prompts_;
    EntryMode mode_;
    PatientScreen& screen_;
    PatientForm* form_;
    PatientRecord record_{};
    int oldId_ = 0;
};

}  // namespace patients
