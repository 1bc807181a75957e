// LRecordCreate, LRecordEdit and LRecordDell: each in one transaction, so the duplicate check
// and the write it guards cannot be separated by another program's write.
#include <string>

#include "columns.h"
#include "record_io.h"
#include "session.h"
#include "stamp_text.h"

using namespace patientbase;

namespace {

// Found when some patient has `id`; prepare failures report `onPrepareFailure`.
Lookup idTaken(sqlite3* db, int id, Message onPrepareFailure) {
    auto taken =
        prepare(db, "SELECT 1 FROM Patient_Information WHERE ID = ? LIMIT 1", onPrepareFailure);
    if (!taken) return Lookup::Failed;
    taken->bindInt(1, id);
    const Lookup found = lookUp(*taken);
    if (found == Lookup::Found) report(Message::DuplicateId);
    return found;
}

std::string insertSql() {
    std::string placeholders;
    for (std::size_t i = 0; i < kRegisterFieldCount; ++i) placeholders += "?, ";
    return "INSERT INTO Patient_Information (" + registerColumnList() + ", REGIST) VALUES (" +
           placeholders + "?)";
}

std::string updateSql() {
    std::string sql = "UPDATE Patient_Information SET ";
    for (const RegisterField& f : kRegisterFields) sql += std::string(f.name) + " = ?, ";
    return sql + "REGIST = ? WHERE rowid = ?";
}

constexpr int kStampIndex = kRegisterFieldCount + 1;

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordCreate(const PatientRecord* record) {
    constexpr int kFailure = 1;
    if (!record) return kFailure;
    WriteCall call;
    if (!call.ok()) return kFailure;
    if (idTaken(call.db(), record->ID, Message::TableOpen) != Lookup::Missing) return kFailure;
    auto insert = prepare(call.db(), insertSql(), Message::TableOpen);
    if (!insert) return kFailure;
    bindRecord(*insert, 1, *record);
    insert->bindText(kStampIndex, storedForm(now()));
    return call.execute(*insert) && call.commit() ? 0 : kFailure;
}

PATIENTBASE_API int LRecordEdit(const PatientRecord* record, int oldId) {
    if (!record) return 0;
    WriteCall call;
    if (!call.ok()) return kDatabaseFailure;
    auto find = prepare(call.db(), selectFirstWithId("rowid"));
    if (!find) return kDatabaseFailure;
    find->bindInt(1, oldId);
    const Lookup found = lookUp(*find);
    if (found != Lookup::Found) return found == Lookup::Missing ? 0 : kDatabaseFailure;
    const long long rowid = find->integer(0);
    // Keeping the ID writes no new duplicate; changing it to one another patient has would.
    if (record->ID != oldId &&
        idTaken(call.db(), record->ID, Message::RecordsetOpen) != Lookup::Missing)
        return kDatabaseFailure;
    auto update = prepare(call.db(), updateSql());
    if (!update) return kDatabaseFailure;
    bindRecord(*update, 1, *record);
    update->bindText(kStampIndex, storedForm(now()));
    update->bindInt(kStampIndex + 1, rowid);
    return call.execute(*update) && call.commit() ? 0 : kDatabaseFailure;
}

PATIENTBASE_API int LRecordDell(int id) {
    WriteCall call;
    if (!call.ok()) return kDatabaseFailure;
    auto remove = prepare(call.db(), "DELETE FROM Patient_Information WHERE rowid = (" +
                                         selectFirstWithId("rowid") + ")");
    if (!remove) return kDatabaseFailure;
    remove->bindInt(1, id);
    return call.execute(*remove) && call.commit() ? 0 : kDatabaseFailure;
}

}  // extern "C"
