// Settling the TLS of a connection string: verified for a server elsewhere, as before for one on
// this machine.
#include <cstdlib>
#include <filesystem>

#include "postgres_sql.h"
#include "sqlkit/postgres.h"

namespace sqlkit {
namespace {

// The value the string gives `keyword`, or else the environment variable libpq would read.
std::string givenOrEnvironment(const detail::Keywords& given, const char* keyword,
                               const char* variable) {
    if (const auto it = given.find(keyword); it != given.end()) return it->second;
    const char* value = std::getenv(variable);
    return value ? value : "";
}

bool isLoopback(std::string_view name) {
    return name == "localhost" || name == "127.0.0.1" || name == "::1";
}

// True when every host the string may reach is this machine: a socket folder ("/..." or an
// abstract "@..."), a loopback name or address, or nothing (libpq's default socket).
bool reachesOnlyThisMachine(const detail::Keywords& given) {
    for (const auto& [keyword, variable] :
         {std::pair{"host", "PGHOST"}, {"hostaddr", "PGHOSTADDR"}}) {
        const std::string list = givenOrEnvironment(given, keyword, variable);
        std::size_t begin = 0;
        while (begin <= list.size()) {
            const std::size_t end = std::min(list.find(',', begin), list.size());
            const std::string_view host = std::string_view(list).substr(begin, end - begin);
            if (!host.empty() && host[0] != '/' && host[0] != '@' && !isLoopback(host))
                return false;
            begin = end + 1;
        }
    }
    return true;
}

bool rootCertificateThere(const detail::Keywords& given) {
    if (!givenOrEnvironment(given, "sslrootcert", "PGSSLROOTCERT").empty()) return true;
    const char* home = std::getenv("HOME");
    std::error_code ec;
    return home && std::filesystem::is_regular_file(
                       std::filesystem::path(home) / ".postgresql" / "root.crt", ec);
}

}  // namespace

TlsChoice tlsChoice(std::string_view conninfo) {
    TlsChoice choice;
    const auto given = detail::keywordsOf(conninfo, &choice.refusal);
    if (!given) return choice;
    choice.givenMode = givenOrEnvironment(*given, "sslmode", "PGSSLMODE");
    if (reachesOnlyThisMachine(*given)) {
        // Patient data never crosses a network in clear, not even the loopback one.
        if (choice.givenMode.empty()) choice.sslmode = "require";
        return choice;
    }
    if (!choice.givenMode.empty()) {
        choice.unverified = !choice.givenMode.starts_with("verify-");
        return choice;
    }
    if (rootCertificateThere(*given))
        choice.sslmode = "verify-full";
    else
        choice.refusal =
            "the server is on another machine and no root certificate is there to verify it: "
            "give sslrootcert=FILE (or PGSSLROOTCERT, or ~/.postgresql/root.crt), or write an "
            "sslmode";
    return choice;
}

}  // namespace sqlkit
