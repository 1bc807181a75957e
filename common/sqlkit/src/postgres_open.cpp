// Connecting to a PostgreSQL server.
#include <memory>

#include "postgres_connection.h"
#include "postgres_sql.h"
#include "sqlkit/postgres.h"

namespace sqlkit {
namespace {

// How long a statement waits for another program's lock unless told otherwise.
constexpr std::chrono::milliseconds kBusyWait{15000};

}  // namespace

bool checkServerAddress(std::string_view conninfo, std::string* problem) {
    const std::string text(conninfo);
    char* parseError = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.c_str(), &parseError);
    if (!options) {
        std::string reason = parseError ? parseError : "the connection string cannot be read";
        PQfreemem(parseError);
        if (const auto end = reason.find('\n'); end != std::string::npos) reason.resize(end);
        if (problem) *problem = reason;
        return false;
    }
    bool hasPassword = false;
    for (const PQconninfoOption* o = options; o->keyword; ++o)
        if (std::string_view(o->keyword) == "password" && o->val && *o->val) hasPassword = true;
    PQconninfoFree(options);
    if (hasPassword && problem)
        *problem = "the connection string holds a password; keep it in the user's password file";
    return !hasPassword;
}

ConnectionPtr openServer(std::string_view conninfo, std::string* error) {
    if (!checkServerAddress(conninfo, error)) return nullptr;
    const std::string text(conninfo);
    detail::PgPtr pg(PQconnectdb(text.c_str()));
    if (!pg || PQstatus(pg.get()) != CONNECTION_OK) {
        if (error) *error = detail::engineText(nullptr, pg.get());
        return nullptr;
    }
    // Texts travel as UTF-8 whatever the server's or the terminal's default.
    PQsetClientEncoding(pg.get(), "UTF8");
    auto connection = std::make_unique<detail::PostgresConnection>(std::move(pg));
    connection->setBusyWait(kBusyWait);
    return connection;
}

}  // namespace sqlkit
