// What a read prescription puts into the print list: every drug with how it was matched and
// the dosage taken from its RP. A drug goes in only when it was matched to one catalogue drug,
// has nothing to be checked and the list has room; the others are shown for the pharmacist to
// pick or leave out.
#pragma once

#include <string>
#include <vector>

#include "leaflet/leaflet_header.h"
#include "prescription/dosage_reading.h"
#include "prescription/drug_matcher.h"
#include "prescription/prescription.h"

namespace prescription {

struct IntakeDrug {
    const Rp* rp = nullptr;
    const Drug* drug = nullptr;
    DrugMatch match;
    DrugDosage dosage;
    bool inPrintList = false;
};

struct Intake {
    std::vector<IntakeDrug> drugs;  // in the prescription's order
    int leftOutForRoom = 0;         // matched drugs past the print list's capacity
};

// `prescription` must outlive the result, which points into it.
Intake intakeOf(const Prescription& prescription, const DrugMatcher& matcher);

// The institution and doctor for the e-medication-handbook codes (records 51 and 55); the fee
// table is 1 for a medical and 3 for a dental institution, unknown for any other kind.
leaflet::PrescribedBy prescribedBy(const Prescription& prescription);

// The prescriber box's text: institution and doctor separated by a full-width space (CP932).
std::string prescriberText(const Prescription& prescription);

}  // namespace prescription
