// Records 1, 4, 5, 11, 12, 13 and 51: institution, prescriber, patient and date of issue.
#include "prescription/jahis_date.h"
#include "prescription/record_context.h"
#include "prescription/record_layouts.h"

namespace prescription {

void readInstitution(const Fields& fields, const RecordContext& context) {
    const InstitutionFields f = institutionLayout(fields);
    Institution& institution = context.prescription.institution;
    institution.codeKind = toNumber(f.codeKind).value_or(0);
    institution.code = f.code;
    institution.prefecture = f.prefecture;
    institution.name = f.name;
}

// The department name is the record's last field: real codes leave out the code kind and code
// before it as often as they give them.
void readDepartment(const Fields& fields, const RecordContext& context) {
    context.prescription.prescriber.department = fields.empty() ? "" : fields.back();
}

void readPrescriber(const Fields& fields, const RecordContext& context) {
    const PersonFields f = personLayout(fields, true);
    Prescriber& prescriber = context.prescription.prescriber;
    prescriber.doctorCode = f.code;
    prescriber.kanaName = f.kanaName;
    prescriber.name = f.name;
    if (f.name.empty() && f.kanaName.empty()) context.warn("医師の氏名がありません。");
}

void readPatientName(const Fields& fields, const RecordContext& context) {
    const PersonFields f = personLayout(fields, false);
    Patient& patient = context.prescription.patient;
    patient.code = f.code;
    patient.name = f.name;
    patient.kanaName = f.kanaName;
    if (f.name.empty() && f.kanaName.empty()) context.warn("患者の氏名がありません。");
}

void readPatientSex(const Fields& fields, const RecordContext& context) {
    const std::string_view sex = fieldAt(fields, 0);
    if (isDigitOf(sex, "12")) {
        context.prescription.patient.sex = sex == "1" ? Sex::kMale : Sex::kFemale;
    } else {
        context.warn("患者の性別" + quoted(sex) + "を読めません。");
    }
}

void readPatientBirth(const Fields& fields, const RecordContext& context) {
    const std::optional<PartialDate> date = readDate(fieldAt(fields, 0));
    if (date) {
        context.prescription.patient.birth = *date;
    } else {
        context.warn("患者の生年月日" + quoted(fieldAt(fields, 0)) + "を読めません。");
    }
}

void readIssueDate(const Fields& fields, const RecordContext& context) {
    const std::optional<PartialDate> date = readDate(fieldAt(fields, 0));
    if (date && date->day != 0) {
        context.prescription.issued = *date;
    } else {
        context.warn("処方箋交付年月日" + quoted(fieldAt(fields, 0)) + "を読めません。");
    }
}

}  // namespace prescription
