// Copying the rows of a table from a database file to a server with the same table.
#pragma once

#include <string>

#include "sqlkit/connection.h"

namespace dataserver {

// Copies every row of `table` from the SQLite file `from` to `to` in the file's row order, so
// the server's row keys keep the table's order; the columns are those the file declares. A
// table the file lacks copies nothing. The number of rows copied, or -1 with the reason.
long long copyTableRows(sqlkit::Connection& from, sqlkit::Connection& to, const std::string& table,
                        std::string* error);

// The number of rows of `table`, or -1 with the reason.
long long countRows(sqlkit::Connection& db, const std::string& table, std::string* error);

}  // namespace dataserver
