// The write lock of a data server: the one row of a table that a writing call locks until it
// commits (Dialect::beginWrite). Only roles given the program's rights may lock it, so a role
// without them cannot hold up the writes of every terminal.
#pragma once

#include <string>

#include "sqlkit/connection.h"

namespace sqlkit {

inline constexpr const char* kServerLockTable = "Server_Lock";
// Takes the lock inside a transaction begun otherwise, until it ends.
inline constexpr const char* kTakeServerLock = "SELECT 1 FROM Server_Lock FOR UPDATE";

// Creates the lock table with its one row on `server`, inside the caller's transaction. False
// with the engine's text.
bool createServerLock(Connection& server, std::string* error);

}  // namespace sqlkit
