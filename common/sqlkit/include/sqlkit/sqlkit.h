// Small RAII layer over SQLCipher shared by the database libraries: encrypted connections,
// prepared statements with bound parameters, and a transaction guard.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace sqlkit {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

// True when the linked SQLite is SQLCipher with encryption available.
bool cipherAvailable();

// Opens an existing encrypted database read-write (never creates it). The key is derived once
// per process from the password and the file's salt, then passed in raw form, so an open costs
// a fraction of a millisecond. The first statement verifies the key: a wrong password or a file
// that is not a database gives nullptr and the engine's message in `error`.
Db openEncrypted(const std::filesystem::path& file, std::string_view password, std::string* error);

// Creates a new encrypted database keyed with `password` (fails if the file exists) and runs
// `schemaSql` in one transaction.
Db createEncrypted(const std::filesystem::path& file, std::string_view password,
                   std::string_view schemaSql, std::string* error);

// Runs SQL without results; false with the engine's message in `error` on failure.
bool exec(sqlite3* db, const char* sql, std::string* error = nullptr);

// A prepared statement. Text is UTF-8 here; binding an empty text binds NULL, and a NULL
// column reads back as "", as the record files expect.
class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    const std::string& error() const { return error_; }

    // A value to store: an empty text is stored as NULL.
    Statement& bindText(int index, std::string_view utf8);
    // An operand of a comparison: an empty text stays the empty string, so "col <> ?" with ""
    // is true for every stored value, as it is for any other text.
    Statement& bindMatch(int index, std::string_view utf8);
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bindInt(int index, long long value);
    Statement& bindNull(int index);

    // Advances to the next row: true when a row is there. After false, `failed()` tells
    // whether the statement ended in an error rather than at its last row.
    bool step();
    bool failed() const { return failed_; }
    void reset();

    int columnCount() const { return sqlite3_column_count(stmt_); }
    std::string_view text(int column) const;
    std::string_view blob(int column) const;
    long long integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
    std::string error_;
    bool failed_ = false;
};

// BEGIN IMMEDIATE on construction; rolls back in the destructor unless commit() succeeded.
class Transaction {
  public:
    explicit Transaction(sqlite3* db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool began() const { return began_; }
    bool commit();

  private:
    sqlite3* db_;
    bool began_ = false;
    bool done_ = false;
};

// Escapes "%", "_" and "\" so a typed text matches literally inside LIKE ... ESCAPE '\'.
std::string likeLiteral(std::string_view text);

}  // namespace sqlkit
