// What differs between database engines in the SQL the libraries send: the name of the stable
// row key, the schema types, how a writing transaction takes its lock, the integrity check and
// the settings of a long write. (How long a statement waits for another program's lock is set
// on the connection: Connection::setBusyWait.) Query files build engine-specific pieces from the
// dialect of their connection and use "?" parameters, so a new engine needs no change to them.
#pragma once

#include <string>
#include <string_view>

namespace sqlkit {

struct Dialect {
    // A column naming a row for as long as the row lives, usable in SELECT, WHERE and ORDER BY
    // (table order is the order of this key).
    std::string_view rowKey;
    // What CREATE TABLE adds to declare the row key; empty where every table has one.
    std::string_view rowKeyDeclaration;
    std::string_view textType;
    std::string_view integerType;
    std::string_view blobType;
    // The operator of a substring search ("col <op> '%' || ? || '%' ESCAPE '\\'") in which
    // ASCII letters match in either case and every other character only itself.
    std::string_view likeAnyCase;
    // Begins a transaction that holds the write lock from its first statement on.
    std::string_view beginWrite;
    // A quick check of the whole file's structure: its first row says "ok" when sound.
    std::string_view integrityCheck;
    // Run before a long writing transaction (a load, an import) so its changes stay in memory
    // until the commit.
    std::string_view bulkWrite;
    // A query whose one row is the data's clock now, local time as 'YYYY-MM-DD HH:MM:SS': the
    // server's clock on a server (read when the statement runs, not when the transaction began).
    std::string_view clockNow;
    // A query with one parameter, a table's name, that has a row when the table exists.
    std::string_view tableExists;
    // The engine takes a list of texts as one array parameter ("col = ANY(?)"); otherwise a
    // list is one parameter per text ("col IN (?, ?, ...)").
    bool textArrays = false;
};

// Escapes "%", "_" and "\" so a typed text matches literally inside LIKE ... ESCAPE '\'.
std::string likeLiteral(std::string_view text);

}  // namespace sqlkit
