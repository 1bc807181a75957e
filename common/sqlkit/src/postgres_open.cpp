// Connecting to a PostgreSQL server.
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "postgres_connection.h"
#include "postgres_sql.h"
#include "sqlkit/postgres.h"

namespace sqlkit {
namespace {

// How long a statement waits for another program's lock unless told otherwise.
constexpr std::chrono::milliseconds kBusyWait{15000};

// The keywords a connection string gives a value with their values, or nothing with libpq's
// reason.
std::optional<std::map<std::string, std::string>> keywordsOf(std::string_view conninfo,
                                                             std::string* problem) {
    const std::string text(conninfo);
    char* parseError = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.c_str(), &parseError);
    if (!options) {
        std::string reason = parseError ? parseError : "the connection string cannot be read";
        PQfreemem(parseError);
        if (const auto end = reason.find('\n'); end != std::string::npos) reason.resize(end);
        if (problem) *problem = reason;
        return std::nullopt;
    }
    std::map<std::string, std::string> given;
    for (const PQconninfoOption* o = options; o->keyword; ++o)
        if (o->val && *o->val) given.emplace(o->keyword, o->val);
    PQconninfoFree(options);
    return given;
}

}  // namespace

bool checkServerAddress(std::string_view conninfo, std::string* problem) {
    const auto given = keywordsOf(conninfo, problem);
    if (!given) return false;
    const bool hasPassword = given->count("password") != 0;
    if (hasPassword && problem)
        *problem = "the connection string holds a password; keep it in the user's password file";
    return !hasPassword;
}

std::string serverPlace(std::string_view conninfo) {
    const auto given = keywordsOf(conninfo, nullptr);
    std::string place;
    if (!given) return place;
    for (const auto& [keyword, label] : {std::pair<const char*, const char*>{"host", "host"},
                                         {"hostaddr", "address"},
                                         {"port", "port"},
                                         {"dbname", "database"}}) {
        const auto it = given->find(keyword);
        if (it == given->end()) continue;
        place += place.empty() ? "" : " ";
        place += std::string(label) + " " + it->second;
    }
    return place;
}

ConnectionPtr openServer(std::string_view conninfo, std::string* error) {
    if (!checkServerAddress(conninfo, error)) return nullptr;
    // Patient data never crosses a network in clear: unless the string or the environment says
    // how, the connection requires TLS (libpq ignores this on a Unix socket). What the string
    // says overrides it, as it comes later.
    const std::string text(conninfo);
    const bool sslModeGiven =
        keywordsOf(conninfo, nullptr)->count("sslmode") != 0 || std::getenv("PGSSLMODE") != nullptr;
    std::vector<const char*> keywords, values;
    if (!sslModeGiven) {
        keywords.push_back("sslmode");
        values.push_back("require");
    }
    // A terminal whose server is switched off or out of reach waits seconds, not minutes.
    if (!std::getenv("PGCONNECT_TIMEOUT")) {
        keywords.push_back("connect_timeout");
        values.push_back("10");
    }
    keywords.insert(keywords.end(), {"dbname", nullptr});
    values.insert(values.end(), {text.c_str(), nullptr});
    detail::PgPtr pg(PQconnectdbParams(keywords.data(), values.data(), 1));
    if (!pg || PQstatus(pg.get()) != CONNECTION_OK) {
        if (error) *error = detail::engineText(nullptr, pg.get());
        return nullptr;
    }
    // The server's notices ("skipping", "already exists") are not for the program's output.
    PQsetNoticeProcessor(
        pg.get(), [](void*, const char*) {}, nullptr);
    // Texts travel as UTF-8 whatever the server's or the terminal's default.
    PQsetClientEncoding(pg.get(), "UTF8");
    auto connection = std::make_unique<detail::PostgresConnection>(std::move(pg));
    connection->setBusyWait(kBusyWait);
    return connection;
}

}  // namespace sqlkit
