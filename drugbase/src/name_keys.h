// The name key of every product name of a catalogue file (table Name_Key): the name as
// prescriptions' drug names are compared, half-width without spaces (sjis::nameKey), so that a
// lookup by name is one exact search on an index. A key depends on its name alone, so a row
// left for a name no drug has any more finds nothing: writes only add the keys of the names
// they store, in their own transaction. A data server keeps no name keys.
#pragma once

#include <string>
#include <string_view>

#include "sqlkit/connection.h"

namespace drugbase {

// Whether `db` is a catalogue file, the engine whose catalogue keeps name keys.
bool keepsNameKeys(const sqlkit::Connection& db);

// Makes and fills the table on a file made before it (inside the caller's transaction); true
// when the table is there. Nothing to do on a server.
bool ensureNameKeys(sqlkit::Connection& db);

// Adds the keys of product names on an open connection, inside the caller's transaction, after
// ensureNameKeys; does nothing on a server.
class NameKeyInsert {
  public:
    explicit NameKeyInsert(sqlkit::Connection& db);
    bool ok() const { return !kept_ || insert_.ok(); }
    const std::string& error() const { return insert_.error(); }

    // The key of this product name (UTF-8) unless the table has it; false when the engine
    // failed.
    bool add(std::string_view utf8Name);

  private:
    bool kept_;
    sqlkit::Statement insert_;
};

}  // namespace drugbase
