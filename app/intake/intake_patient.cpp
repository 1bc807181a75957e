#include "intake/intake_patient.h"

#include "prescription/drug_matcher.h"
#include "sjis/sjis.h"

namespace intake {
namespace {

bool fullDate(const prescription::PartialDate& date) {
    return date.year != 0 && date.month != 0 && date.day != 0;
}

}  // namespace

era::EraYear eraYearOf(const prescription::PartialDate& date) {
    if (!date.known()) return {};
    return era::eraOf({date.year, date.month != 0 ? date.month : 1, date.day != 0 ? date.day : 1});
}

PatientRecord registrationOf(const prescription::Patient& patient) {
    PatientRecord record{};
    sjis::copyField(record.PATIENT, sizeof record.PATIENT, patient.name);
    sjis::copyField(record.MEMO, sizeof record.MEMO,
                    sjis::kataToHira(sjis::toFullWidth(patient.kanaName)));
    record.SEX = static_cast<int>(patient.sex);
    if (const era::EraYear birth = eraYearOf(patient.birth); birth.code != 0) {
        record.NENGO = birth.code;
        record.YEAR = birth.year;
        record.MONTH = patient.birth.month;
        record.DAY = patient.birth.day;
    }
    return record;
}

RegisteredPatient findRegistered(const data::PatientRegister& patients,
                                 const prescription::Patient& patient) {
    RegisteredPatient found;
    const std::string key = prescription::nameKey(patient.name);
    if (key.empty() || !fullDate(patient.birth)) return found;
    const era::EraYear birth = eraYearOf(patient.birth);
    data::PatientSearch conditions;
    conditions.era = birth.code;
    conditions.birthYear = std::to_string(birth.year);
    conditions.birthMonth = std::to_string(patient.birth.month);
    conditions.birthDay = std::to_string(patient.birth.day);
    std::vector<data::PatientRow> born;
    found.result = patients.search(conditions, born);
    if (found.result == data::DataResult::kFailed) return found;
    found.result = data::DataResult::kNotFound;
    for (const data::PatientRow& row : born) {
        if (prescription::nameKey(row.name) != key) continue;
        if (found.same.empty()) {
            found.result = data::DataResult::kDone;
            found.id = row.id;
            found.name = row.name;
        }
        found.same.push_back(row.id);
    }
    return found;
}

}  // namespace intake
