// Registering or correcting one patient: the ID rules (present, positive, not another
// patient's), the name required, and the write, checked in that order.
#pragma once

#include <QString>

#include "data/patient_register.h"
#include "patients/patient_texts.h"

namespace patients {

enum class EntryMode { Register, Correct };

class PatientEntry {
  public:
    // `oldId` is the ID of the patient being corrected (unused when registering).
    PatientEntry(const data::PatientRegister& patients, EntryMode mode, int oldId);

    // Takes the ID from `idText` into `record` and checks the record before it is stored.
    // Returns the refusal to show, or nullptr when it may be stored. The ID is written into the
    // record before the name is checked, as the operator typed it.
    const Notice* check(const QString& idText, PatientRecord& record) const;
    // Stores a checked record; the refusal to show, or nullptr when stored.
    const Notice* write(const PatientRecord& record) const;

    // Whether the record takes an ID an earlier patient had (one deleted, or renumbered away
    // from it), which old printouts and お薬手帳 codes may still point at.
    bool takesFormerId(const PatientRecord& record) const;

    // Whether the stored ID differs from the ID the patient had (always for a new patient):
    // the patient list must be listed again rather than have one name changed.
    bool movesRow(const PatientRecord& stored) const;

  private:
    const data::PatientRegister& patients_;
    EntryMode mode_;
    int oldId_;
};

}  // namespace patients
