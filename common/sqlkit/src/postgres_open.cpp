// Connecting to a PostgreSQL server.
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "postgres_connection.h"
#include "postgres_sql.h"
#include "sqlkit/postgres.h"

namespace sqlkit {
namespace {

// How long a statement waits for another program's lock unless told otherwise.
constexpr std::chrono::milliseconds kBusyWait{15000};

// TCP keepalives of the terminal's side of the connection.
constexpr std::pair<const char*, const char*> kKeepalives[] = {
    {"keepalives", "1"},
    {"keepalives_idle", "20"},
    {"keepalives_interval", "10"},
    {"keepalives_count", "3"},
};

}  // namespace

bool checkServerAddress(std::string_view conninfo, std::string* problem) {
    const auto given = detail::keywordsOf(conninfo, problem);
    if (!given) return false;
    const bool hasPassword = given->count("password") != 0;
    if (hasPassword && problem)
        *problem = "the connection string holds a password; keep it in the user's password file";
    return !hasPassword;
}

std::string serverPlace(std::string_view conninfo) {
    const auto given = detail::keywordsOf(conninfo, nullptr);
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

std::optional<ConnectSettings> connectSettings(std::string_view conninfo, std::string* problem) {
    if (!checkServerAddress(conninfo, problem)) return std::nullopt;
    const TlsChoice tls = tlsChoice(conninfo);
    if (!tls.refusal.empty()) {
        if (problem) *problem = tls.refusal;
        return std::nullopt;
    }
    ConnectSettings settings;
    if (!tls.sslmode.empty()) settings.emplace_back("sslmode", tls.sslmode);
    // A terminal whose server is switched off or out of reach waits seconds, not minutes.
    if (!std::getenv("PGCONNECT_TIMEOUT")) settings.emplace_back("connect_timeout", "10");
    // A server that vanished from the network (switched off, cable pulled) is noticed by the
    // terminal after about 50 s of silence (20 s, then 3 probes 10 s apart), not at the
    // operating system's two hours.
    for (const auto& [keyword, value] : kKeepalives) settings.emplace_back(keyword, value);
    return settings;
}

ConnectionPtr openServer(std::string_view conninfo, std::string* error) {
    const auto settings = connectSettings(conninfo, error);
    if (!settings) return nullptr;
    // What the string says overrides these, as it comes later.
    std::vector<const char*> keywords, values;
    for (const auto& [keyword, value] : *settings) {
        keywords.push_back(keyword.c_str());
        values.push_back(value.c_str());
    }
    const std::string text(conninfo);
    keywords.insert(keywords.end(), {"client_encoding", "dbname", nullptr});
    values.insert(values.end(), {"UTF8", text.c_str(), nullptr});
    detail::PgPtr pg(PQconnectdbParams(keywords.data(), values.data(), 1));
    if (!pg || PQstatus(pg.get()) != CONNECTION_OK) {
        if (error) *error = detail::engineText(nullptr, pg.get());
        return nullptr;
    }
    // The server's notices ("skipping", "already exists") are not for the program's output.
    PQsetNoticeProcessor(
        pg.get(), [](void*, const char*) {}, nullptr);
    // Texts travel as UTF-8 whatever the server's or the terminal's default; asked for in the
    // connection itself, and set afterwards only when the string chose another.
    if (PQclientEncoding(pg.get()) != pg_char_to_encoding("UTF8"))
        PQsetClientEncoding(pg.get(), "UTF8");
    auto connection = std::make_unique<detail::PostgresConnection>(std::move(pg));
    connection->limitSession(kBusyWait);
    return connection;
}

}  // namespace sqlkit
