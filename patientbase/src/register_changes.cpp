// LRecordCreate, LRecordEdit and LRecordDell: each in one transaction, so the duplicate check
// and the write it guards cannot be separated by another program's write, and an ID they
// give out is recorded as used in the same transaction.
#include <string>

#include "patient_create.h"
#include "register_columns.h"
#include "register_io.h"
#include "register_session.h"
#include "stamp_text.h"
#include "used_ids.h"

using namespace patientbase;

namespace {

std::string updateSql(const sqlkit::Dialect& dialect) {
    std::string sql = "UPDATE Patient_Information SET ";
    for (const RegisterField& f : kRegisterFields) sql += std::string(f.name) + " = ?, ";
    return sql + "REGIST = ? WHERE " + std::string(dialect.rowKey) + " = ?";
}

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordCreate(const PatientRecord* record) {
    return createPatient(record);
}

PATIENTBASE_API int LRecordEdit(const PatientRecord* record, int oldId) {
    if (!record) return PATIENTBASE_OK;
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    readyUsedIds(call);
    const sqlkit::Dialect& dialect = call.dialect();
    auto find = call.prepare(
        selectFirstWithId(std::string(dialect.rowKey) + ", " + registerColumnList(), dialect));
    if (!find) return PATIENTBASE_DB_FAILURE;
    find->bindInt(1, oldId);
    const Lookup found = call.lookUp(*find);
    if (found != Lookup::Found) return outcome(found, PATIENTBASE_OK, PATIENTBASE_OK);
    const long long rowKey = find->integer(0);
    PatientRecord before{};
    readRecord(*find, 1, before);
    // Keeping the ID writes no new duplicate; changing it to one another patient has would.
    if (record->ID != oldId && idTaken(call, record->ID, Failure::RecordsetOpen) != Lookup::Missing)
        return PATIENTBASE_DB_FAILURE;
    auto update = call.prepare(updateSql(dialect));
    if (!update) return PATIENTBASE_DB_FAILURE;
    bindRecord(*update, 1, *record);
    update->bindText(kStampIndex, storedForm(now()));
    update->bindInt(kStampIndex + 1, rowKey);
    return outcome(
        call.execute(*update) && recordUsedId(call, record->ID) &&
        call.record({audit::Action::PatientCorrect, record->ID, changedFields(before, *record)}) &&
        call.commit());
}

PATIENTBASE_API int LRecordDell(int id) {
    WriteCall call(session());
    // Readied first, so a file made before the used IDs were kept keeps this one too.
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    readyUsedIds(call);
    const sqlkit::Dialect& dialect = call.dialect();
    // An ID no patient has deletes nothing, and so leaves no audit row either.
    auto find = call.prepare(selectFirstWithId(dialect.rowKey, dialect));
    if (!find) return PATIENTBASE_DB_FAILURE;
    find->bindInt(1, id);
    if (const Lookup found = call.lookUp(*find); found != Lookup::Found)
        return outcome(found, PATIENTBASE_OK, PATIENTBASE_OK);
    auto remove = call.prepare("DELETE FROM Patient_Information WHERE " +
                               std::string(dialect.rowKey) + " = ?");
    if (!remove) return PATIENTBASE_DB_FAILURE;
    remove->bindInt(1, find->integer(0));
    return outcome(call.execute(*remove) && call.record({audit::Action::PatientDelete, id, {}}) &&
                   call.commit());
}

}  // extern "C"
