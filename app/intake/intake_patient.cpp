#include "intake/intake_patient.h"

#include <array>

#include "prescription/drug_matcher.h"
#include "sjis/sjis.h"

namespace intake {
namespace {

struct EraStart {
    int era, year, month, day;
};

// The first day of each era, newest first.
constexpr std::array<EraStart, 5> kEraStarts{
    {{5, 2019, 5, 1}, {4, 1989, 1, 8}, {3, 1926, 12, 25}, {2, 1912, 7, 30}, {1, 1868, 1, 25}}};

bool fullDate(const prescription::PartialDate& date) {
    return date.year != 0 && date.month != 0 && date.day != 0;
}

}  // namespace

EraYear eraYearOf(const prescription::PartialDate& date) {
    if (!date.known()) return {};
    const int month = date.month != 0 ? date.month : 1;
    const int day = date.day != 0 ? date.day : 1;
    for (const EraStart& start : kEraStarts) {
        if (std::array{date.year, month, day} >= std::array{start.year, start.month, start.day})
            return {start.era, date.year - start.year + 1};
    }
    return {};
}

PatientRecord registrationOf(const prescription::Patient& patient) {
    PatientRecord record{};
    sjis::copyField(record.PATIENT, sizeof record.PATIENT, patient.name);
    sjis::copyField(record.MEMO, sizeof record.MEMO,
                    sjis::kataToHira(sjis::toFullWidth(patient.kanaName)));
    record.SEX = static_cast<int>(patient.sex);
    if (const EraYear birth = eraYearOf(patient.birth); birth.era != 0) {
        record.NENGO = birth.era;
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
    const EraYear birth = eraYearOf(patient.birth);
    data::PatientSearch conditions;
    conditions.era = birth.era;
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
