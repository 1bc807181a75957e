#include "session.h"

#include "columns.h"
#include "messages.h"

namespace drugbase {

Session& session() {
    static Session s;
    return s;
}

sqlkit::Db openCatalogue() {
    sqlkit::Db db;
    if (session().ready) db = sqlkit::openEncrypted(session().file, kPassword, nullptr);
    if (!db) report(Message::DatabaseOpen);
    return db;
}

Recordset openRecordset(std::string_view sql) {
    Recordset rs;
    rs.db = openCatalogue();
    if (!rs.db) return {};
    auto statement = std::make_unique<sqlkit::Statement>(rs.db.get(), sql);
    if (!statement->ok()) {
        report(Message::RecordsetOpen);
        return {};
    }
    rs.statement = std::move(statement);
    return rs;
}

}  // namespace drugbase
