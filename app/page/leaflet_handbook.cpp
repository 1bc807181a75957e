#include "page/leaflet_handbook.h"

#include <cstdio>

#include "dosage/dosage_forms.h"
#include "era/era.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace ehandbook {

namespace {

// The day's amount of the timing amounts, half-width ("3", "1.5"); empty without timings.
std::string dayAmount(const leaflet::DosageSettings& dosage) {
    int halves = 0;
    for (const std::uint8_t amount : dosage.timings) {
        halves += amount >= leaflet::kHalfBase ? 2 * (amount - leaflet::kHalfBase) + 1 : 2 * amount;
    }
    if (halves == 0) return {};
    return std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "");
}

bool hasTimings(const leaflet::DosageSettings& dosage) {
    for (const std::uint8_t amount : dosage.timings)
        if (amount != 0) return true;
    return false;
}

// A drug without timing amounts whose usage says 頓服 (or 頓用, 屯服) is given when needed.
bool givenWhenNeeded(const leaflet::DosageSettings& dosage, std::string_view usage) {
    if (hasTimings(dosage)) return false;
    const std::string text = sjis::toUtf8(usage);
    for (const char* word : {"頓服", "頓用", "屯服"})
        if (text.find(word) != std::string::npos) return true;
    return false;
}

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

Drug drugOf(const DrugRecord& entry) {
    const leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
    const std::string_view form = leaflet::field(entry.ZAIKEI);
    Drug drug;
    drug.name = leaflet::field(entry.PRODUCTNAME);
    drug.amount = dayAmount(dosage);
    if (!drug.amount.empty()) drug.unit = dosage::amountUnit(form);
    drug.yjcode = leaflet::field(entry.YJCODE);
    drug.note = leaflet::amountText(entry);
    drug.usage = leaflet::usageText(entry);
    drug.days = leaflet::daysText(entry);
    drug.form = formCode(dosage::administration(form, givenWhenNeeded(dosage, drug.usage)));
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
                                   std::span<const DrugRecord> entries, std::string_view date) {
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
    for (const DrugRecord& entry : entries) dispensing.drugs.push_back(drugOf(entry));
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
