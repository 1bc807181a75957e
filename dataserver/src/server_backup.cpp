// A data server's backup and restore with PostgreSQL's own pg_dump and pg_restore, with the
// rows of every table kept beside the backup and checked after a restore.
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "atomic_file/atomic_file.h"
#include "child_process.h"
#include "dataserver/admin.h"
#include "server_connect.h"
#include "server_schema.h"
#include "sqlkit/postgres.h"
#include "table_copy.h"

namespace dataserver {
namespace {

using RowCounts = std::vector<std::pair<std::string, long long>>;

std::filesystem::path countsFile(const std::filesystem::path& backup) {
    return backup.string() + ".counts";
}

// The rows of every table of the database's schema, in name order; nothing after a message.
std::optional<RowCounts> countEveryTable(sqlkit::Connection& server, std::ostream& err) {
    sqlkit::Statement tables = server.prepare(
        "SELECT table_name FROM information_schema.tables WHERE table_schema = "
        "current_schema() AND table_type = 'BASE TABLE' ORDER BY table_name");
    RowCounts counts;
    while (tables.step()) counts.emplace_back(std::string(tables.text(0)), 0);
    std::string error = tables.failed() ? tables.error() : "";
    for (auto& [table, rows] : counts)
        if (error.empty()) rows = countRows(server, table, &error);
    if (error.empty()) return counts;
    err << "cannot count the rows of the tables: " << error << "\n";
    return std::nullopt;
}

std::string countsText(const RowCounts& counts) {
    std::string text;
    for (const auto& [table, rows] : counts) text += table + " " + std::to_string(rows) + "\n";
    return text;
}

// The client program `name` answering to --version with a major version of at least the
// server's; false after a message.
bool clientFits(const std::string& name, sqlkit::Connection& server, std::ostream& err) {
    std::string version;
    if (runProgram({clientProgram(name), "--version"}, &version) != 0) {
        err << name << " cannot be started (" << version
            << "): install PostgreSQL's client programs (postgresql-client-15 or newer), or name "
               "their folder in LEAFLET_PG_BINDIR\n";
        return false;
    }
    sqlkit::Statement s = server.prepare("SELECT current_setting('server_version_num')::int");
    const int serverMajor = s.step() ? static_cast<int>(s.integer(0) / 10000) : 0;
    if (majorVersionOf(version) >= serverMajor) return true;
    err << name << " is of PostgreSQL " << majorVersionOf(version) << ", the server of "
        << serverMajor << ": use a client at least as new as the server (LEAFLET_PG_BINDIR)\n";
    return false;
}

bool failedProgram(const std::string& name, const std::string& output, std::ostream& err) {
    err << name << " failed:\n" << output << (output.ends_with('\n') ? "" : "\n");
    return false;
}

std::optional<RowCounts> readCounts(const std::filesystem::path& file, std::ostream& err) {
    std::ifstream in(countsFile(file));
    RowCounts counts;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string table;
        long long rows = -1;
        if (fields >> table >> rows && rows >= 0) counts.emplace_back(table, rows);
    }
    if (in.eof() && !counts.empty()) return counts;
    err << countsFile(file).string()
        << ": the rows of the backup's tables cannot be read; it is written beside the backup "
           "by server-backup\n";
    return std::nullopt;
}

// True when the database holds no table, view or sequence outside PostgreSQL's own schemas.
bool isEmptyDatabase(sqlkit::Connection& server, std::ostream& err) {
    sqlkit::Statement s = server.prepare(
        "SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace WHERE "
        "n.nspname NOT IN ('pg_catalog', 'information_schema') AND n.nspname NOT LIKE 'pg_toast%' "
        "AND c.relkind IN ('r', 'p', 'v', 'm', 'S', 'f')");
    if (s.step() && s.integer(0) == 0) return true;
    err << (s.failed() ? "cannot read the database's tables: " + s.error()
                       : std::string("the database is not empty; a backup is restored into an "
                                     "empty database only (createdb a new one); nothing changed"))
        << "\n";
    return false;
}

}  // namespace

bool backupServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                  std::ostream& err) {
    const std::optional<std::string> address = serverAddress(target, err);
    sqlkit::ConnectionPtr server = address ? connectServer(*address, err) : nullptr;
    if (!server || !clientFits("pg_dump", *server, err)) return false;
    // The counts and pg_dump read the same snapshot: the one this transaction exports, kept
    // until pg_dump is done.
    sqlkit::Statement snapshot = server->prepare("SELECT pg_export_snapshot()");
    if (!server->exec("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY") || !snapshot.step()) {
        err << "cannot take a snapshot of the server: " << snapshot.error() << server->lastError()
            << "\n";
        return false;
    }
    const std::optional<RowCounts> counts = countEveryTable(*server, err);
    if (!counts) return false;
    // pg_dump writes beside the backup; only a whole dump takes the backup's name.
    const std::filesystem::path partial =
        file.parent_path() / ("." + file.filename().string() + ".partial");
    std::string output;
    const int status = runProgram(
        {clientProgram("pg_dump"), "--format=custom", "--snapshot=" + std::string(snapshot.text(0)),
         "--file=" + partial.string(), "--dbname=" + *address},
        &output);
    std::error_code ec;
    atomic_file::Replacement countsReplacement(countsFile(file));
    if (status != 0) {
        std::filesystem::remove(partial, ec);
        return failedProgram("pg_dump", output, err);
    }
    if (!countsReplacement.begin() || !countsReplacement.write(countsText(*counts)) ||
        !countsReplacement.commit()) {
        std::filesystem::remove(partial, ec);
        err << countsFile(file).string() << ": cannot be written\n";
        return false;
    }
    std::filesystem::rename(partial, file, ec);
    if (ec) {
        std::filesystem::remove(partial, ec);
        err << file.string() << ": cannot be written: " << ec.message() << "\n";
        return false;
    }
    server->exec("COMMIT");
    out << countsText(*counts) << "wrote the backup " << file.string() << " and its row counts "
        << countsFile(file).string() << "\n";
    return true;
}

bool restoreServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                   std::ostream& err) {
    const std::optional<RowCounts> counts = readCounts(file, err);
    const std::optional<std::string> address = counts ? serverAddress(target, err) : std::nullopt;
    sqlkit::ConnectionPtr server = address ? connectServer(*address, err) : nullptr;
    if (!server || !clientFits("pg_restore", *server, err) || !isEmptyDatabase(*server, err))
        return false;
    // The restoring role owns what it restores; the rights of the terminal roles are not
    // taken over (those roles may not exist on this server): grant-server gives them again.
    std::string output;
    if (runProgram({clientProgram("pg_restore"), "--single-transaction", "--exit-on-error",
                    "--no-owner", "--no-privileges", "--dbname=" + *address, file.string()},
                   &output) != 0)
        return failedProgram("pg_restore", output, err);
    // The database's own settings are not part of a dump.
    std::string error;
    if (!setDatabaseDefaults(*server, &error))
        err << "restored, but the database's timeouts could not be set: " << error << "\n";
    std::string differences;
    for (const auto& [table, rows] : *counts) {
        const long long restored = countRows(*server, table, &error);
        if (restored != rows)
            differences += table + ": " + std::to_string(rows) + " rows in the backup, " +
                           (restored < 0 ? error : std::to_string(restored) + " restored") + "\n";
    }
    if (!differences.empty()) {
        err << differences << "the restored database differs from the backup\n";
        return false;
    }
    out << countsText(*counts) << "restored " << file.string()
        << " with the rows of every table as in the backup; run grant-server for each terminal "
           "role\n";
    return true;
}

}  // namespace dataserver
