#include "used_ids.h"

namespace patientbase {
namespace {

std::string recordRegisteredSql() {
    return std::string("INSERT INTO ") + kUsedIdTable +
           " (ID) SELECT DISTINCT ID FROM Patient_Information WHERE ID IS NOT NULL AND ID NOT IN "
           "(SELECT ID FROM " +
           kUsedIdTable + ")";
}

}  // namespace

std::string usedIdSchemaSql(const sqlkit::Dialect& dialect) {
    return std::string("CREATE TABLE IF NOT EXISTS ") + kUsedIdTable + " (ID " +
           std::string(dialect.integerType) + " PRIMARY KEY)";
}

bool recordRegisteredIds(sqlkit::Connection& db, std::string* error) {
    if (db.exec(recordRegisteredSql())) return true;
    if (error) *error = db.lastError();
    return false;
}

bool readyUsedIds(Call& call) {
    if (session().onServer()) return true;
    sqlkit::Connection& db = call.connection();
    auto exists = call.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    if (!exists) return false;
    exists->bindText(1, kUsedIdTable);
    const Lookup found = call.lookUp(*exists);
    if (found != Lookup::Missing) return found == Lookup::Found;
    // A savepoint works inside the caller's transaction and alone, and makes the table appear
    // with its IDs or not at all.
    if (db.exec("SAVEPOINT used_ids;" + usedIdSchemaSql(call.dialect()) + ";" +
                recordRegisteredSql() + ";RELEASE used_ids"))
        return true;
    const std::string error = db.lastError();
    db.exec("ROLLBACK TO used_ids; RELEASE used_ids");
    call.report(Failure::DatabaseOpen, error);
    return false;
}

bool recordUsedId(WriteCall& call, int id) {
    if (!readyUsedIds(call)) return false;
    // Under the call's write lock nobody can add the same ID between the check and the insert.
    auto insert = call.prepare(std::string("INSERT INTO ") + kUsedIdTable +
                               " (ID) SELECT CAST(? AS INTEGER) WHERE NOT EXISTS (SELECT 1 FROM " +
                               kUsedIdTable + " WHERE ID = ?)");
    if (!insert) return false;
    insert->bindInt(1, id).bindInt(2, id);
    return call.execute(*insert);
}

}  // namespace patientbase
