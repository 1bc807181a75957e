// The version of a data server's tables, and the steps that move a server from one version to
// the next.
#pragma once

#include <string>

#include "sqlkit/connection.h"

namespace dataserver {

// The version of the server's tables: 0 when it has none of them, 1 for tables made before
// the version was kept, else the version its Server_Schema row holds. -1 with the reason.
int serverSchemaVersion(sqlkit::Connection& server, std::string* error);

// Moves the server from version `from` to `from` + 1 inside the caller's transaction: the
// step's tables and settings, then the version. `done` names what was added. False with the
// reason; the caller rolls back.
bool upgradeOneVersion(sqlkit::Connection& server, int from, std::string* done, std::string* error);

// Sets the database's defaults for every session (the lock and idle timeouts), so that a
// session that stalls inside a transaction cannot hold the write lock for long.
bool setDatabaseDefaults(sqlkit::Connection& server, std::string* error);

}  // namespace dataserver
