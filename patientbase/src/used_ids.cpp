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

void readyUsedIds(Call& call) {
    if (session().onServer()) return;
    sqlkit::Connection& db = call.connection();
    sqlkit::Statement exists =
        db.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    exists.bindText(1, kUsedIdTable);
    if (exists.step() || exists.failed()) return;
    // A savepoint works inside the caller's transaction and alone, and makes the table appear
    // with its IDs or not at all.
    if (!db.exec("SAVEPOINT used_ids;" + usedIdSchemaSql(call.dialect()) + ";" +
                 recordRegisteredSql() + ";RELEASE used_ids"))
        db.exec("ROLLBACK TO used_ids; RELEASE used_ids");
}

bool recordUsedId(WriteCall& call, int id) {
    // Under the call's write lock nobody can add the same ID between the check and the insert.
    auto insert = call.prepare(std::string("INSERT INTO ") + kUsedIdTable +
                               " (ID) SELECT CAST(? AS INTEGER) WHERE NOT EXISTS (SELECT 1 FROM " +
                               kUsedIdTable + " WHERE ID = ?)");
    if (!insert) return false;
    insert->bindInt(1, id).bindInt(2, id);
    return call.execute(*insert);
}

}  // namespace patientbase
