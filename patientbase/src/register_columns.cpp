#include "register_columns.h"

namespace patientbase {

#define TEXT_FIELD(name)                                                  \
    RegisterField {                                                       \
#name, offsetof(PatientRecord, name), sizeof(PatientRecord::name) \
    }
#define NUMBER_FIELD(name)                      \
    RegisterField {                             \
#name, offsetof(PatientRecord, name), 0 \
    }

const std::array<RegisterField, kRegisterFieldCount> kRegisterFields = {
    NUMBER_FIELD(ID),       TEXT_FIELD(PATIENT), NUMBER_FIELD(SEX),  TEXT_FIELD(TELEPHONE),
    TEXT_FIELD(TELEPHONE2), NUMBER_FIELD(NENGO), NUMBER_FIELD(YEAR), NUMBER_FIELD(MONTH),
    NUMBER_FIELD(DAY),      TEXT_FIELD(ADDRESS), TEXT_FIELD(BYOUTO), TEXT_FIELD(ALLERGY),
    TEXT_FIELD(EFFECT),     TEXT_FIELD(MEMO),
};

#undef TEXT_FIELD
#undef NUMBER_FIELD

std::string registerColumnList() {
    std::string list;
    for (const RegisterField& f : kRegisterFields) {
        if (!list.empty()) list += ", ";
        list += f.name;
    }
    return list;
}

std::string stampColumn(int slot) {
    return "N" + std::to_string(slot);
}

std::string blockColumn(int slot) {
    return "INFO" + std::to_string(slot);
}

std::string schemaSql(const sqlkit::Dialect& dialect) {
    const std::string text(dialect.textType), integer(dialect.integerType), blob(dialect.blobType);
    std::string sql = "CREATE TABLE Patient_Information (";
    if (!dialect.rowKeyDeclaration.empty()) sql += std::string(dialect.rowKeyDeclaration) + ", ";
    for (const RegisterField& f : kRegisterFields) {
        sql += std::string(f.name) + " " + (f.isText() ? text : integer) + ", ";
        if (std::string_view(f.name) == "PATIENT") sql += "REGIST " + text + ", ";
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        sql += stampColumn(slot) + " " + text + ", " + blockColumn(slot) + " " + blob;
        sql += slot + 1 < kSlotCount ? ", " : ");";
    }
    // The ID index covers every column the combined search reads, so it walks the index
    // instead of the wide rows with their twenty history blocks. The ID list walks a narrow
    // index of ID and name alone, a third of the ID index's pages; the name list walks the name
    // index, which carries the reading it is sorted by.
    sql +=
        "CREATE INDEX Patient_ID ON Patient_Information (ID, PATIENT, BYOUTO, TELEPHONE, "
        "TELEPHONE2, SEX, NENGO, YEAR, MONTH, DAY);"
        "CREATE INDEX Patient_Name ON Patient_Information (PATIENT, ID, MEMO);"
        "CREATE INDEX Patient_List ON Patient_Information (ID, PATIENT)";
    return sql;
}

std::string patientListSql(bool byName) {
    return byName ? "SELECT ID, PATIENT, MEMO FROM Patient_Information"
                  : "SELECT ID, PATIENT FROM Patient_Information ORDER BY ID";
}

}  // namespace patientbase
