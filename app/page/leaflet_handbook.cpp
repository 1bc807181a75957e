#include "page/leaflet_handbook.h"

#include <cstdio>

#include "dosage/dosage_forms.h"
#include "era/era.h"
#include "leaflet/print_entry.h"
#include "page/handbook_amount.h"
#include "sjis/sjis.h"

namespace ehandbook {

namespace {

FormCode formCode(dosage::Administration administration) {
    switch (administration) {
        case dosage::Administration::kTaken:
            return FormCode::kInternal;
        case dosage::Administration::kTakenAsNeeded:
            return FormCode::kAsNeeded;
        case dosage::Administration::kInjection:
            return FormCode::kInjection;
        case dosage::Administration::kExternal:
            return FormCode::kExternal;
        case dosage::Administration::kOther:
            break;
    }
    return FormCode::kOther;
}

Drug drugOf(const DrugRecord& entry, const std::optional<leaflet::Prescribed>& prescribed) {
    const leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
    const dosage::Administration administration =
        dosage::administration(leaflet::field(entry.ZAIKEI), givenWhenNeeded(dosage));
    Drug drug;
    drug.name = leaflet::field(entry.PRODUCTNAME);
    const DrugAmount amount = prescribed ? DrugAmount{prescribed->amount, prescribed->unit}
                                         : derivedAmount(entry, administration);
    if (!amount.amount.empty() && !amount.unit.empty()) {
        drug.amount = amount.amount;
        drug.unit = amount.unit;
    }
    drug.yjcode = leaflet::field(entry.YJCODE);
    drug.note = leaflet::amountText(entry);
    drug.usage = leaflet::usageText(entry);
    drug.days = leaflet::daysText(entry);
    drug.form = prescribed && prescribed->form ? *prescribed->form : formCode(administration);
    return drug;
}

std::string birthDate(const PatientRecord& patient) {
    const auto date = era::toGregorian(patient.NENGO, patient.YEAR, patient.MONTH, patient.DAY);
    if (!date) return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date->year, date->month, date->day);
    return text;
}

}  // namespace

HandbookInput leafletHandbookInput(const leaflet::LeafletHeader& header,
                                   std::span<const DrugRecord> entries, std::string_view date,
                                   std::span<const std::optional<leaflet::Prescribed>> prescribed) {
    HandbookInput input;
    Patient& patient = input.patient;
    patient.name = header.patientName;
    const leaflet::RegisteredPatient& registered = header.registered;
    if (registered.sex == 1 || registered.sex == 2) patient.sex = static_cast<Sex>(registered.sex);
    patient.birthDate = registered.birthDate;
    if (!registered.allergy.empty())
        patient.notes.push_back({NoteKind::kAllergy, registered.allergy});
    if (!registered.sideEffect.empty())
        patient.notes.push_back({NoteKind::kSideEffect, registered.sideEffect});

    Dispensing& dispensing = input.dispensing;
    dispensing.date = date;
    const leaflet::PharmacyDetails& pharmacy = header.pharmacy;
    dispensing.pharmacy = pharmacy.name.empty() ? header.pharmacyName : pharmacy.name;
    dispensing.dispensingPharmacy = header.dispensingPharmacy;
    dispensing.pharmacyDetails = {pharmacy.prefecture, pharmacy.code, pharmacy.postalCode,
                                  pharmacy.address, pharmacy.telephone};
    dispensing.pharmacist = header.pharmacist;
    dispensing.prescriber = header.prescriber;
    const leaflet::PrescribedBy& by = header.prescribedBy;
    dispensing.prescribing = {by.institution, by.prefecture, by.feeTable,
                              by.code,        by.doctor,     by.department};
    for (std::size_t i = 0; i < entries.size(); ++i)
        dispensing.drugs.push_back(
            drugOf(entries[i], i < prescribed.size() ? prescribed[i] : std::nullopt));
    return input;
}

leaflet::RegisteredPatient registeredPatient(const PatientRecord& patient) {
    leaflet::RegisteredPatient registered;
    if (patient.SEX == 1 || patient.SEX == 2) registered.sex = patient.SEX;
    registered.birthDate = birthDate(patient);
    registered.allergy = sjis::fieldText(patient.ALLERGY, sizeof patient.ALLERGY);
    registered.sideEffect = sjis::fieldText(patient.EFFECT, sizeof patient.EFFECT);
    return registered;
}

}  // namespace ehandbook
