// The PostgreSQL engine: a database server that several programs share, through libpq.
#pragma once

#include <string>
#include <string_view>

#include "sqlkit/connection.h"

namespace sqlkit {

const Dialect& postgresDialect();

// Checks a libpq connection string ("host=... dbname=..." or a postgresql:// address): false
// with the reason in `problem` when libpq cannot read it or it carries a password, which
// belongs in the password file of the user, never in a file beside the data.
bool checkServerAddress(std::string_view conninfo, std::string* problem);

// Where a connection string points, for messages: "host H port P database D" with only the
// parts it gives (libpq's defaults fill the rest); never its other settings.
std::string serverPlace(std::string_view conninfo);

// Connects to the server; nullptr with libpq's message in `error` when it cannot. Over TCP the
// connection requires TLS unless the string (or PGSSLMODE) names another sslmode. The
// attempt gives up after 10 s unless the string (connect_timeout) or PGCONNECT_TIMEOUT says
// otherwise. The connection stays open across calls: readyForCall() reconnects it after the server
// was lost. A statement waits up to 15 s for another program's lock.
ConnectionPtr openServer(std::string_view conninfo, std::string* error);

}  // namespace sqlkit
