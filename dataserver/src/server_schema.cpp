#include "server_schema.h"

#include <span>

#include "audit/trail.h"
#include "catalogue_admin.h"
#include "code_map.h"
#include "dataserver/admin.h"
#include "pharmacy_store.h"
#include "sqlkit/server_lock.h"
#include "used_ids.h"

namespace dataserver {
namespace {

bool failed(sqlkit::Connection& server, std::string* error) {
    if (error) *error = server.lastError();
    return false;
}

bool hasTable(sqlkit::Connection& server, const char* table) {
    sqlkit::Statement s = server.prepare(
        "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() AND "
        "table_name = lower(?)");
    s.bindText(1, table);
    return s.step();
}

// The used IDs of a server set up before the register kept them: the table, holding the IDs of
// the patients registered now.
bool addUsedIdTable(sqlkit::Connection& server, std::string* error) {
    if (server.exec(patientbase::usedIdSchemaSql(server.dialect())))
        return patientbase::recordRegisteredIds(server, error);
    return failed(server, error);
}

bool createVersionTable(sqlkit::Connection& server, std::string* error) {
    // One row: the version of every table of the server.
    return server.exec(
               "CREATE TABLE Server_Schema (ONE_ROW BOOLEAN PRIMARY KEY DEFAULT TRUE "
               "CHECK (ONE_ROW), VERSION BIGINT NOT NULL); "
               "INSERT INTO Server_Schema (VERSION) VALUES (1)") ||
           failed(server, error);
}

// One change of a step: `table` names the table it makes, and the change is left out when the
// server has that table already (a table a server made later got from the start); nullptr
// for a change made every time.
struct Change {
    const char* table;
    const char* what;
    bool (*apply)(sqlkit::Connection&, std::string*);
};

// What version 2 adds to a server of version 1. Version 1 servers made before the used IDs
// and the pharmacy were kept get those tables here too.
constexpr Change kToVersion2[] = {
    {patientbase::kUsedIdTable, patientbase::kUsedIdTable, addUsedIdTable},
    {dosagebase::kPharmacyTable, dosagebase::kPharmacyTable, dosagebase::createPharmacyTable},
    // A user photograph chosen on one terminal is kept in the catalogue for every terminal.
    {"User_Photo", "User_Photo", drugbase::createUserPhotoTable},
    {"Server_Schema", "Server_Schema", createVersionTable},
    {sqlkit::kServerLockTable, sqlkit::kServerLockTable, sqlkit::createServerLock},
    {nullptr, "the database's timeouts", setDatabaseDefaults},
};

bool createAuditTable(sqlkit::Connection& server, std::string* error) {
    return server.exec(audit::schemaSql(server.dialect())) || failed(server, error);
}

// Version 3: the one audit trail of every terminal (counters may only add rows and read them).
constexpr Change kToVersion3[] = {
    {audit::kAuditTable, audit::kAuditTable, createAuditTable},
};

// Inside the upgrade's transaction, so without a probe that would break it.
bool addMasterFacts(sqlkit::Connection& server, std::string* error) {
    const std::string text(server.dialect().textType);
    const std::string integer(server.dialect().integerType);
    const std::string add = " ADD COLUMN IF NOT EXISTS ";
    return server.exec("ALTER TABLE Code_Map" + add + "TANNI " + text + "," + add + "PRICE " +
                       integer + "," + add + "GENERIC " + integer + "," + add + "GENERICGROUP " +
                       text + ";" + drugbase::masterFactIndexSql()) ||
           failed(server, error);
}

// Version 4: the drug master's unit, price and generic flag beside each code.
constexpr Change kToVersion4[] = {
    {nullptr, "Code_Map's master facts", addMasterFacts},
};

// The step from version i + 1 to i + 2 is kSteps[i].
constexpr std::span<const Change> kSteps[] = {kToVersion2, kToVersion3, kToVersion4};
static_assert(std::size(kSteps) + 1 == kSchemaVersion, "a step for every version");

}  // namespace

int serverSchemaVersion(sqlkit::Connection& server, std::string* error) {
    if (!hasTable(server, "Server_Schema")) return hasTable(server, "Medicine_Information") ? 1 : 0;
    sqlkit::Statement s = server.prepare("SELECT VERSION FROM Server_Schema");
    if (s.step()) return static_cast<int>(s.integer(0));
    if (error) *error = s.failed() ? s.error() : "Server_Schema holds no version";
    return -1;
}

bool upgradeOneVersion(sqlkit::Connection& server, int from, std::string* done,
                       std::string* error) {
    if (from < 1 || from >= kSchemaVersion) {
        if (error) *error = "no step from version " + std::to_string(from);
        return false;
    }
    for (const Change& change : kSteps[from - 1]) {
        if (change.table && hasTable(server, change.table)) continue;
        if (!change.apply(server, error)) return false;
        if (done) *done += (done->empty() ? "" : ", ") + std::string(change.what);
    }
    sqlkit::Statement version = server.prepare("UPDATE Server_Schema SET VERSION = ?");
    version.bindInt(1, from + 1);
    version.step();
    if (!version.failed()) return true;
    if (error) *error = version.error();
    return false;
}

bool setDatabaseDefaults(sqlkit::Connection& server, std::string* error) {
    // A store takes well under a second; a session idle inside its transaction for half a
    // minute has stalled, and ending it frees the lock for the others.
    return server.exec(
               "DO $$BEGIN "
               "EXECUTE format('ALTER DATABASE %I SET lock_timeout = %L', "
               "current_database(), '15s'); "
               "EXECUTE format('ALTER DATABASE %I SET "
               "idle_in_transaction_session_timeout = %L', current_database(), '30s'); "
               "END$$") ||
           failed(server, error);
}

}  // namespace dataserver
