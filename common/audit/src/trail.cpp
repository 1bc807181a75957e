#include "audit/trail.h"

#include "audit/actor.h"

namespace audit {
namespace {

constexpr const char* kColumns =
    "SEQ, STAMP, OS_USER, TERMINAL, PHARMACIST, ACTION, PATIENT_ID, DETAIL, HASH";

bool failed(const std::string& why, std::string* error) {
    if (error) *error = why;
    return false;
}

// Whether the audit table is there: Found, Missing, or Failed with the engine's text.
enum class Table { Found, Missing, Failed };
Table findTable(sqlkit::Connection& db, std::string* error) {
    sqlkit::Statement has = db.prepare(db.dialect().tableExists);
    has.bindText(1, kAuditTable);
    if (has.step()) return Table::Found;
    if (!has.failed()) return Table::Missing;
    failed(has.error(), error);
    return Table::Failed;
}

}  // namespace

std::string schemaSql(const sqlkit::Dialect& dialect) {
    const std::string text(dialect.textType);
    std::string sql = "CREATE TABLE IF NOT EXISTS Audit_Log (SEQ " +
                      std::string(dialect.integerType) + " PRIMARY KEY";
    for (const char* column :
         {"STAMP", "OS_USER", "TERMINAL", "PHARMACIST", "ACTION", "PATIENT_ID", "DETAIL", "HASH"})
        sql += ", " + std::string(column) + " " + text;
    return sql + ")";
}

bool append(sqlkit::Connection& db, const Entry& entry, std::string* error) {
    // A file gets the table at its first row, like the other tables added after the first
    // files; a server's table comes with its schema version (a terminal may not create one).
    const Table table = findTable(db, error);
    if (table == Table::Failed) return false;
    if (table == Table::Missing && !db.exec(schemaSql(db.dialect())))
        return failed(db.lastError(), error);
    Row row;
    sqlkit::Statement last =
        db.prepare("SELECT SEQ, HASH FROM Audit_Log ORDER BY SEQ DESC LIMIT 1");
    std::string previous = kFirstPrevious;
    if (last.step()) {
        row.seq = last.integer(0);
        previous = last.text(1);
    } else if (last.failed()) {
        return failed(last.error(), error);
    }
    ++row.seq;
    sqlkit::Statement clock = db.prepare(db.dialect().clockNow);
    if (!clock.step()) return failed(clock.failed() ? clock.error() : "no clock", error);
    row.stamp = clock.text(0);
    Actor actor = currentActor();
    row.osUser = std::move(actor.osUser);
    row.terminal = std::move(actor.terminal);
    row.pharmacist = std::move(actor.pharmacist);
    row.action = entry.action;
    row.patientId = entry.patientId ? std::to_string(entry.patientId) : "";
    row.detail = entry.detail;
    row.hash = rowHash(previous, row);
    sqlkit::Statement insert = db.prepare(std::string("INSERT INTO Audit_Log (") + kColumns +
                                          ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bindInt(1, row.seq);
    int index = 2;
    for (const std::string* field : textFields(row)) insert.bindText(index++, *field);
    insert.bindText(index, row.hash);
    insert.step();
    return !insert.failed() || failed(insert.error(), error);
}

bool readRows(sqlkit::Connection& db, std::vector<Row>& rows, std::string* error) {
    const Table table = findTable(db, error);
    if (table != Table::Found) return table == Table::Missing;
    sqlkit::Statement read =
        db.prepare(std::string("SELECT ") + kColumns + " FROM Audit_Log ORDER BY SEQ");
    while (read.step()) {
        Row row;
        row.seq = read.integer(0);
        int column = 1;
        for (std::string* field : textFields(row)) *field = read.text(column++);
        row.hash = read.text(column);
        rows.push_back(std::move(row));
    }
    return !read.failed() || failed(read.error(), error);
}

}  // namespace audit
