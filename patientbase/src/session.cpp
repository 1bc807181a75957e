#include "session.h"

#include "columns.h"

namespace patientbase {

Session& session() {
    static Session s;
    return s;
}

sqlkit::Db openPatientFile() {
    sqlkit::Db db;
    if (session().ready) db = sqlkit::openEncrypted(session().file, kPassword, nullptr);
    if (!db) report(Message::DatabaseOpen);
    return db;
}

std::unique_ptr<sqlkit::Statement> prepare(sqlite3* db, std::string_view sql, Message onFailure) {
    auto statement = std::make_unique<sqlkit::Statement>(db, sql);
    if (statement->ok()) return statement;
    report(onFailure);
    return nullptr;
}

std::string selectFirstWithId(std::string_view columns) {
    return "SELECT " + std::string(columns) +
           " FROM Patient_Information WHERE ID = ? ORDER BY rowid LIMIT 1";
}

Recordset openRecordset(std::string_view sql) {
    Recordset rs;
    rs.db = openPatientFile();
    if (!rs.db) return {};
    rs.statement = prepare(rs.db.get(), sql);
    if (!rs.statement) return {};
    return rs;
}

Lookup lookUp(sqlkit::Statement& statement) {
    if (statement.step()) return Lookup::Found;
    if (!statement.failed()) return Lookup::Missing;
    report(Message::Find);
    return Lookup::Failed;
}

WriteCall::WriteCall() : db_(openPatientFile()) {
    if (!db_) return;
    transaction_.emplace(db_.get());
    if (!transaction_->began()) report(Message::Update);
}

bool WriteCall::execute(sqlkit::Statement& change) {
    change.step();
    if (!change.failed()) return true;
    report(Message::Update);
    return false;
}

bool WriteCall::commit() {
    if (transaction_ && transaction_->commit()) return true;
    report(Message::Update);
    return false;
}

}  // namespace patientbase
