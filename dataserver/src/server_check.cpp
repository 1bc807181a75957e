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
    // Every table and the lock right asked in one statement, as a start over a slow network
    // wants; only when it fails are they asked one by one, to name the first that cannot be had.
    std::string all = "SELECT";
    for (const char* table : kServerTables)
        all += " (SELECT 1 FROM " + std::string(table) + " LIMIT 1),";
    all += " has_column_privilege('server_lock', 'lock_row', 'UPDATE')";
    sqlkit::Statement together = db.prepare(all);
    if (together.step() && together.integer(static_cast<int>(kServerTables.size())) != 0) return {};
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
