// "患者情報": registers a new patient (with the first free ID proposed) or corrects the
// patient chosen on the patient screen, then brings that screen's list and details up to date.
// A patient read from a prescription is registered the same way from a filled form.
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

    // Registers a patient from `prefill` (a record without an ID, e.g. read from a
    // prescription), with the first free ID proposed; no patient screen is brought up to date.
    PatientInfoDialog(const data::PatientRegister& patients, ui::Prompts& prompts,
                      const PatientRecord& prefill, QWidget* parent);

    PatientForm& form() { return *form_; }
    // The patient as stored once the dialog was accepted.
    const PatientRecord& stored() const { return record_; }

  private:
    void build();
    void proposeId();
    void store();

    const data::PatientRegister& patients_;
    ui::Prompts& prompts_;
    EntryMode mode_;
    PatientScreen* screen_;  // null when registering from outside the patient screen
    PatientForm* form_;
    PatientRecord record_{};
    int oldId_ = 0;
};

}  // namespace patients
