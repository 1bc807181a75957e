// The frame every K3 import runs in: the catalogue and the file open, one transaction, the
// records read in turn, the count reported when everything landed.
#pragma once

#include <string_view>

#include "messages.h"
#include "sqlkit/connection.h"

namespace drugbase {

// What one import does with the catalogue and its records.
class K3Import {
  public:
    virtual ~K3Import() = default;
    // Prepares the import's statements; false when the catalogue cannot be read or written.
    virtual bool prepare(sqlkit::Connection& catalogue) = 0;
    // Stores what one record holds; false on a database failure.
    virtual bool apply(std::string_view record) = 0;
};

// Reads the K3 file (relative to the import folder) into the catalogue in one transaction.
// DRUGBASE_OK with `done` reported with the record count; DRUGBASE_FILE_MISSING when the file
// cannot be opened or read ("Error:fopenエラー"); DRUGBASE_DB_FAILURE on a database failure, with
// nothing of the file stored.
int runK3Import(const char* file, dbcall::MessageText done, K3Import& import);

}  // namespace drugbase
