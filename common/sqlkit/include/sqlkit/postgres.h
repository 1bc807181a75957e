// The PostgreSQL engine: a database server that several programs share, through libpq.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// How a connection string's TLS is settled before it connects. A server on this machine (a Unix
// socket, localhost, 127.0.0.1, ::1) is asked for TLS unless the string or PGSSLMODE names an
// sslmode (libpq ignores it on a socket). Any other server is verified: without an sslmode
// given, the string is refused unless a root certificate is there (sslrootcert, PGSSLROOTCERT
// or ~/.postgresql/root.crt), and then verify-full is asked for. An sslmode that does not
// verify the certificate is used for such a server only when written, and is then `unverified`
// so the program warns at start-up.
struct TlsChoice {
    std::string sslmode;  // asked for; empty when the string or PGSSLMODE gives one
    std::string refusal;  // why the string may not be used; empty when it may
    bool unverified = false;
    std::string givenMode;  // the sslmode written, for the warning
};
TlsChoice tlsChoice(std::string_view conninfo);

// What openServer asks libpq for before the string's own settings, which win: the sslmode of
// tlsChoice(), a 10 s connect timeout unless PGCONNECT_TIMEOUT is set, and TCP keepalives that
// notice a vanished server within about a minute. Nothing, with the reason in `problem`, for a
// string that may not be used (see checkServerAddress and tlsChoice).
using ConnectSettings = std::vector<std::pair<std::string, std::string>>;
std::optional<ConnectSettings> connectSettings(std::string_view conninfo, std::string* problem);

// Connects to the server with connectSettings(); nullptr with libpq's message (or the reason
// the string is refused) in `error` when it cannot. The connection stays open across
// calls: readyForCall() reconnects it after the server was lost. A statement waits up to 15 s
// for another program's lock; the session's limits (a transaction left idle, a terminal that
// vanished from the network) are kept by the server for the session.
ConnectionPtr openServer(std::string_view conninfo, std::string* error);

}  // namespace sqlkit
