#include "prescriptionfill/intake.h"

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace prescription {

Intake intakeOf(const Prescription& prescription, const DrugMatcher& matcher) {
    Intake intake;
    int listed = 0;
    for (const Rp& rp : prescription.rps) {
        for (const Drug& drug : rp.drugs) {
            IntakeDrug entry{&rp, &drug, matcher.match(drug), {}, false};
            // The dosage follows the form of the drug dispensed, once it is known.
            entry.dosage = dosageFor(rp, drug, entry.match.drug ? entry.match.drug->form : "");
            // A drug with checks waits for the pharmacist, as an unmatched drug does.
            if (entry.match.drug && drug.checks.empty()) {
                if (listed < leaflet::kPrintListCapacity) {
                    entry.inPrintList = true;
                    ++listed;
                } else {
                    ++intake.leftOutForRoom;
                }
            }
            intake.drugs.push_back(std::move(entry));
        }
    }
    return intake;
}

leaflet::PrescribedBy prescribedBy(const Prescription& prescription) {
    const Institution& institution = prescription.institution;
    // The prescription code's kind 1 (or none given) is medical and 3 dental, as in the
    // handbook's fee table; a visiting-nurse station has no fee table there.
    const int kind = institution.codeKind;
    return {institution.name,
            institution.prefecture,
            kind == 0 || kind == 1 ? 1 : kind == 3 ? 3 : 0,
            institution.code,
            prescription.prescriber.name,
            prescription.prescriber.department};
}

std::string prescriberText(const Prescription& prescription) {
    const std::string& institution = prescription.institution.name;
    const std::string& doctor = prescription.prescriber.name;
    if (institution.empty() || doctor.empty()) return institution + doctor;
    return institution + sjis::fromUtf8("　") + doctor;
}

}  // namespace prescription
