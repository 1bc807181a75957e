#include "dataserver/admin.h"

#include "dbcall/session.h"
#include "server_schema.h"
#include "server_tables.h"
#include "sqlkit/postgres.h"
#include "sqlkit/server_lock.h"
#include "sqlkit/sqlkit.h"

namespace dataserver {
namespace {

// The first of the tables that `db` cannot read (missing, or not granted), with the engine's
// text in `error`; then the write lock, when `db` may not take it (its role was not granted
// the rights, or not again after an upgrade). Empty when every table can be read.
std::string unreadableTable(sqlkit::Connection& db, std::string* error) {
    for (const char* table : kServerTables) {
        sqlkit::Statement probe = db.prepare("SELECT 1 FROM " + std::string(table) + " LIMIT 1");
        probe.step();
        if (probe.failed()) {
            if (error) *error = probe.error();
            return table;
        }
    }
    // Asked, not taken: taking it would wait for a terminal that is writing.
    sqlkit::Statement lock =
        db.prepare("SELECT 1 WHERE has_column_privilege('server_lock', 'lock_row', 'UPDATE')");
    if (lock.step()) return {};
    if (error) *error = lock.failed() ? lock.error() : "the role may not take the write lock";
    return sqlkit::kServerLockTable;
}

// True when `db` holds this program's version of the tables, can read every one and may take
// the write lock: all asked in one statement, as a start over a slow network wants. Any other
// answer (or a failure) is left to the step-by-step check, which names what is wrong.
bool readyAtOnce(sqlkit::Connection& db) {
    std::string sql = "SELECT VERSION,";
    for (const char* table : kServerTables)
        sql += " (SELECT 1 FROM " + std::string(table) + " LIMIT 1),";
    sql += " has_column_privilege('server_lock', 'lock_row', 'UPDATE') FROM Server_Schema";
    sqlkit::Statement all = db.prepare(sql);
    return all.step() && all.integer(0) == kSchemaVersion &&
           all.integer(static_cast<int>(kServerTables.size()) + 1) != 0 && !all.step();
}

}  // namespace

std::optional<std::string> serverNamedIn(const std::filesystem::path& dataFolder) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dataFolder / dbcall::kServerFileName, ec))
        return std::nullopt;
    return sqlkit::serverPlace(dbcall::serverAddressIn(dataFolder));
}

ServerCheck checkServer(const std::filesystem::path& dataFolder) {
    ServerCheck check;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dataFolder / dbcall::kServerFileName, ec)) return check;
    const std::string address = dbcall::serverAddressIn(dataFolder);
    check.place = sqlkit::serverPlace(address);
    check.state = ServerCheck::State::BadFile;
    if (address.empty()) {
        check.detail = "no connection string";
        return check;
    }
    if (!sqlkit::checkServerAddress(address, &check.detail)) return check;
    if (const sqlkit::TlsChoice tls = sqlkit::tlsChoice(address); tls.unverified)
        check.unverifiedMode = tls.givenMode;
    check.state = ServerCheck::State::Unreachable;
    sqlkit::ConnectionPtr server = sqlkit::openServer(address, &check.detail);
    if (!server) return check;
    if (readyAtOnce(*server)) {
        check.serverVersion = kSchemaVersion;
        check.state = ServerCheck::State::Ready;
        return check;
    }
    check.state = ServerCheck::State::NoTables;
    check.serverVersion = serverSchemaVersion(*server, &check.detail);
    if (check.serverVersion < 0) return check;
    // A server without tables is told by the first table missing.
    if (check.serverVersion != 0 && check.serverVersion != kSchemaVersion) {
        check.state = ServerCheck::State::OtherVersion;
        check.detail = "the server's tables are at version " + std::to_string(check.serverVersion) +
                       ", this program's at " + std::to_string(kSchemaVersion);
        return check;
    }
    if (!unreadableTable(*server, &check.detail).empty()) return check;
    check.state = ServerCheck::State::Ready;
    return check;
}

}  // namespace dataserver
