// Where the catalogue file is, and the open step every record call begins with.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "sqlkit/sqlkit.h"

namespace drugbase {

// Set by RecordOpen; `ready` only when the file was there and the engine can encrypt.
struct Session {
    std::filesystem::path file;
    bool ready = false;
};

Session& session();

// Opens the catalogue file, or reports "Error:DATABASE.Open" and gives nullptr.
sqlkit::Db openCatalogue();

// An open catalogue with one prepared statement: the recordset of one call.
struct Recordset {
    sqlkit::Db db;
    std::unique_ptr<sqlkit::Statement> statement;

    explicit operator bool() const { return statement != nullptr; }
    sqlkit::Statement& operator*() { return *statement; }
    sqlkit::Statement* operator->() { return statement.get(); }
};

// Opens the catalogue and prepares `sql`; on failure reports "Error:DATABASE.Open" or
// "Error:Could not RECORDSET.Open" and gives an empty Recordset.
Recordset openRecordset(std::string_view sql);

}  // namespace drugbase
