// The SQLCipher engine: encrypted database files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sqlkit/connection.h"

namespace sqlkit {

// True when the linked SQLite is SQLCipher with encryption available.
bool cipherAvailable();

const Dialect& sqlcipherDialect();

// Opens an existing encrypted database read-write (never creates it). The key is derived once
// per process from the password and the file's salt, then passed in raw form, so an open costs
// a fraction of a millisecond. The first statement verifies the key: a wrong password or a file
// that is not a database gives nullptr and the engine's message in `error`. A statement waits up
// to 15 s for another program's lock. The connection may be kept across calls: readyForCall()
// tells when the file at its path was replaced or removed meanwhile.
ConnectionPtr openEncrypted(const std::filesystem::path& file, std::string_view password,
                            std::string* error);

// Creates a new encrypted database keyed with `password` (fails if the file exists) and runs
// `schemaSql`, written for sqlcipherDialect(), in one transaction.
ConnectionPtr createEncrypted(const std::filesystem::path& file, std::string_view password,
                              std::string_view schemaSql, std::string* error);

// Opens an existing file with no key and no check, as a tool without the password would; a
// key may then be given in SQL ("PRAGMA key = '...'").
ConnectionPtr openUnkeyed(const std::filesystem::path& file, std::string* error);

}  // namespace sqlkit
