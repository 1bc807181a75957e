#include "register_io.h"

#include "sjis/sjis.h"

namespace patientbase {
namespace {

dbcall::FieldPlace place(const RegisterField& f) {
    return {f.offset, f.width, f.isText()};
}

}  // namespace

std::string storedText(const char* text) {
    return sjis::toUtf8(text ? text : "");
}

void readRecord(const sqlkit::Statement& row, int firstColumn, PatientRecord& record) {
    std::string scratch;
    int column = firstColumn;
    for (const RegisterField& f : kRegisterFields)
        dbcall::readField(row, column++, &record, place(f), scratch);
}

void bindRecord(sqlkit::Statement& statement, int firstIndex, const PatientRecord& record) {
    int index = firstIndex;
    for (const RegisterField& f : kRegisterFields)
        dbcall::bindField(statement, index++, &record, place(f));
}

std::string changedFields(const PatientRecord& before, const PatientRecord& after) {
    std::string names;
    for (const RegisterField& f : kRegisterFields)
        if (!dbcall::sameField(&before, &after, place(f)))
            names += (names.empty() ? "" : " ") + std::string(f.name);
    return names;
}

}  // namespace patientbase
