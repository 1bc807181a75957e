// Where the patient file is, and the open, prepare and step pattern every call is built from.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "messages.h"
#include "sqlkit/sqlkit.h"

namespace patientbase {

inline constexpr int kDatabaseFailure = 99;

// Set by LRecordOpen; `ready` only when the file was there and the engine can encrypt.
struct Session {
    std::filesystem::path file;
    bool ready = false;
};

Session& session();

// Opens the patient file, or reports "Error:DATABASE.Open" and gives nullptr.
sqlkit::Db openPatientFile();

// Prepares `sql`; on failure reports `onFailure` and gives nullptr.
std::unique_ptr<sqlkit::Statement> prepare(sqlite3* db, std::string_view sql,
                                           Message onFailure = Message::RecordsetOpen);

// "SELECT <columns> FROM Patient_Information WHERE ID = ?" limited to the first such row in
// table order, the row a search by ID finds.
std::string selectFirstWithId(std::string_view columns);

// An open file with one prepared statement: the recordset of a reading call.
struct Recordset {
    sqlkit::Db db;
    std::unique_ptr<sqlkit::Statement> statement;

    explicit operator bool() const { return statement != nullptr; }
    sqlkit::Statement* operator->() { return statement.get(); }
    sqlkit::Statement& operator*() { return *statement; }
};

// Opens the file and prepares `sql`, reporting a failure of either; empty on failure.
Recordset openRecordset(std::string_view sql);

enum class Lookup { Found, Missing, Failed };

// Steps to the first row; a failed step reports "Error:RECORDSET.Find".
Lookup lookUp(sqlkit::Statement& statement);

// Calls `onRow` for every row; a walk ending in an engine error reports "Error:RECORDSET.Find"
// and gives 99, a complete walk 0. `onRow` may return false to stop early.
template <class OnRow>
int walk(sqlkit::Statement& statement, OnRow&& onRow) {
    while (statement.step())
        if (!onRow(statement)) return 0;
    if (!statement.failed()) return 0;
    report(Message::Find);
    return kDatabaseFailure;
}

// A writing call: the open file inside one BEGIN IMMEDIATE transaction, so what the call reads
// to decide stays true until it commits, also against another program on the same file.
// Nothing is stored unless commit() succeeds.
class WriteCall {
  public:
    WriteCall();  // reports "Error:DATABASE.Open" or, when the write lock is not had in time,
                  // "Error:RECORDSET.Update"
    bool ok() const { return transaction_.has_value() && transaction_->began(); }
    sqlite3* db() const { return db_.get(); }

    // Runs a prepared change; a failure reports "Error:RECORDSET.Update".
    bool execute(sqlkit::Statement& change);
    // Commits; a failure reports "Error:RECORDSET.Update".
    bool commit();

  private:
    sqlkit::Db db_;
    std::optional<sqlkit::Transaction> transaction_;
};

}  // namespace patientbase
