// The patient of a read prescription in the register's terms: the birth date in its era, the
// record a registration starts from, and the registered patient with the same name and birth
// date.
#pragma once

#include <vector>

#include "data/patient_register.h"
#include "era/era.h"
#include "patientbase.h"
#include "prescription/prescription.h"

namespace intake {

// The era and year within it of a Western date; a date without month or day counts as its
// first month or day. Code 0 for an unknown date.
era::EraYear eraYearOf(const prescription::PartialDate& date);

// A new patient's record filled from the prescription: the name, the reading in full-width
// hiragana (kept where the patient screens keep it), the sex and the birth date. ID 0.
PatientRecord registrationOf(const prescription::Patient& patient);

struct RegisteredPatient {
    data::DataResult result = data::DataResult::kNotFound;
    int id = 0;
    std::string name;       // CP932, as registered
    std::vector<int> same;  // every ID with that name and birth date, the found one first
};

// The registered patient born on the prescription's birth date whose name is the
// prescription's (full-/half-width and spaces ignored); `same` lists them all when several are.
// Without a name or a full birth date nobody is found.
RegisteredPatient findRegistered(const data::PatientRegister& patients,
                                 const prescription::Patient& patient);

}  // namespace intake
