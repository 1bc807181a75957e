// Setting up a data server that several terminals share, and moving a folder's data onto it.
#include <string_view>

#include "catalogue_admin.h"
#include "dataserver/admin.h"
#include "list_server.h"
#include "patient_admin.h"
#include "pharmacy_store.h"
#include "server_connect.h"
#include "server_schema.h"
#include "server_tables.h"
#include "sqlkit/server_lock.h"
#include "sqlkit/sqlkit.h"
#include "table_copy.h"
#include "used_ids.h"

namespace dataserver {

namespace {

// Begins an upgrade's transaction. Programs of version 1 take the lock they knew, later ones
// the lock table's row (taken once the version is read): holding both, no writer works
// meanwhile.
constexpr std::string_view kHoldOffWriters = "BEGIN; SELECT pg_advisory_xact_lock(4200180001)";

// Creates every table of the libraries and of this version on `server`, inside the caller's
// transaction.
bool createCurrentTables(sqlkit::Connection& server, std::string* error) {
    if (!drugbase::createCatalogueTables(server, error) ||
        !patientbase::createPatientTables(server, error) ||
        !dosagebase::createListTable(server, error) ||
        !dosagebase::createPharmacyTable(server, error))
        return false;
    for (int version = 1; version < kSchemaVersion; ++version)
        if (!upgradeOneVersion(server, version, nullptr, error)) return false;
    return true;
}

// The tables the server has of those the libraries use, or -1 when it cannot say.
int existingTables(sqlkit::Connection& server) {
    std::string names;
    for (const char* table : kServerTables)
        names += (names.empty() ? "lower('" : ", lower('") + std::string(table) + "')";
    sqlkit::Statement s = server.prepare(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() "
        "AND table_name IN (" +
        names + ")");
    return s.step() ? static_cast<int>(s.integer(0)) : -1;
}

}  // namespace

bool createServerTables(const std::string& target, std::ostream& out, std::ostream& err) {
    sqlkit::ConnectionPtr server = connectServer(target, err);
    if (!server) return false;
    std::string error;
    // Every table or none, so a second try starts from the same empty database.
    sqlkit::Transaction transaction(*server, "BEGIN");
    const int version = transaction.began() ? serverSchemaVersion(*server, &error) : -1;
    const int tables = version < 0 ? -1 : existingTables(*server);
    if (tables < 0) {
        err << "cannot read the server's tables: " << (error.empty() ? server->lastError() : error)
            << "\n";
        return false;
    }
    if (version != 0 || tables != 0) {
        err << "the server already has the tables (version " << version
            << "); server-init makes them on an empty database only. A server set up by an "
               "earlier version: run server-upgrade\n";
        return false;
    }
    if (!createCurrentTables(*server, &error) || !transaction.commit()) {
        err << "cannot create the tables on the server: "
            << (error.empty() ? server->lastError() : error) << "\n";
        return false;
    }
    out << "created the catalogue, the patient register, the phrase lists and the pharmacy on "
           "the server (version "
        << kSchemaVersion << ")\n";
    return true;
}

bool upgradeServerTables(const std::string& target, std::ostream& out, std::ostream& err) {
    sqlkit::ConnectionPtr server = connectServer(target, err);
    if (!server) return false;
    std::string error, added;
    sqlkit::Transaction transaction(*server, kHoldOffWriters);
    int version = transaction.began() ? serverSchemaVersion(*server, &error) : -1;
    if (version >= 2 && !server->exec(sqlkit::kTakeServerLock)) version = -1;
    if (version == kSchemaVersion) {
        out << "the server's tables are at version " << version
            << ", this program's; nothing to upgrade\n";
        return true;
    }
    if (version < 0 || version == 0 || version > kSchemaVersion) {
        err << (version < 0 ? "cannot read the server's version: " +
                                  (error.empty() ? server->lastError() : error)
                : version == 0 ? std::string("the server has no tables; run server-init")
                               : "the server's tables are at version " + std::to_string(version) +
                                     ", newer than this program's " +
                                     std::to_string(kSchemaVersion) + "; update leafletadmin")
            << "\n";
        return false;
    }
    if (!upgradeOneVersion(*server, version, &added, &error) || !transaction.commit()) {
        err << "cannot upgrade the server from version " << version << ": "
            << (error.empty() ? server->lastError() : error) << "; nothing changed\n";
        return false;
    }
    out << "upgraded the server's tables from version " << version << " to " << version + 1
        << (added.empty() ? "" : ": added " + added)
        << "; run grant-server again for each terminal role\n";
    return true;
}

bool copyFolderToServer(const std::filesystem::path& dataFolder, const std::string& conninfo,
                        std::ostream& out, std::ostream& err) {
    std::string error;
    const sqlkit::ConnectionPtr drugs = drugbase::openCatalogueFile(dataFolder, &error);
    const sqlkit::ConnectionPtr patients =
        drugs ? patientbase::openPatientFile(dataFolder, &error) : nullptr;
    if (!drugs || !patients) {
        err << dataFolder.string() << ": cannot open the database files: " << error << "\n";
        return false;
    }
    sqlkit::ConnectionPtr server = connectServer(conninfo, err);
    if (!server) return false;

    sqlkit::Transaction transaction(*server, "BEGIN");
    const int version = serverSchemaVersion(*server, &error);
    const int tables = existingTables(*server);
    if (!transaction.began() || tables < 0) {
        err << "cannot read the server's tables: " << server->lastError() << "\n";
        return false;
    }
    if (tables == 0 && !createCurrentTables(*server, &error)) {
        err << "cannot create the tables on the server: " << error << "\n";
        return false;
    }
    if (tables != 0 && tables != static_cast<int>(kServerTables.size())) {
        err << "the server has only some of the tables; copy-to-server needs an empty database "
               "or one made by server-init\n";
        return false;
    }
    if (tables != 0 && version != kSchemaVersion) {
        err << "the server's tables are at version " << version << ", this program's at "
            << kSchemaVersion << "; run server-upgrade first\n";
        return false;
    }
    // Terminals may already work on a server made by server-init: no one writes while the
    // copy checks that it is empty and fills it.
    if (tables != 0 && !server->exec(sqlkit::kTakeServerLock)) {
        err << "cannot take the write lock: " << server->lastError() << "\n";
        return false;
    }
    for (const char* table : kServerTables) {
        if (const long long rows = countRows(*server, table, &error); rows != 0) {
            err << "the server already holds data (" << table << ": "
                << (rows < 0 ? error : std::to_string(rows) + " rows")
                << "); nothing copied. copy-to-server fills only an empty server\n";
            return false;
        }
    }

    // Every table of both files in one transaction, counted on both sides before the commit.
    const std::pair<sqlkit::Connection*, const char*> fileTables[] = {
        {drugs.get(), "Medicine_Information"},
        {drugs.get(), "Code_Map"},
        {drugs.get(), "User_Photo"},
        {patients.get(), "Patient_Information"},
        {patients.get(), patientbase::kUsedIdTable}};
    std::string counts;
    for (const auto& [file, table] : fileTables) {
        const long long copied = copyTableRows(*file, *server, table, &error);
        if (copied < 0) {
            err << "cannot copy " << error << "; nothing copied\n";
            return false;
        }
        std::string ignored;
        long long inFile = countRows(*file, table, &ignored);
        // A drug file made before the code map or the user photographs existed has no Code_Map
        // or User_Photo table, a patient file made before the used IDs were kept no
        // Patient_UsedID: nothing to copy.
        if (inFile < 0 && copied == 0) inFile = 0;
        const long long onServer = countRows(*server, table, &error);
        if (inFile != copied || onServer != copied) {
            err << table << ": " << inFile << " rows in the file, " << onServer
                << " on the server; nothing copied\n";
            return false;
        }
        counts += std::string(table) + ": " + std::to_string(copied) + " rows\n";
    }
    // The IDs of the copied patients count as used, whether or not the file kept them.
    if (!patientbase::recordRegisteredIds(*server, &error)) {
        err << "cannot record the patients' IDs as used: " << error << "; nothing copied\n";
        return false;
    }
    const int lists = dosagebase::copyListsToServer(dataFolder, *server, &error);
    if (lists < 0 || countRows(*server, dosagebase::kListTable, &error) != lists) {
        err << "cannot copy the phrase lists: " << error << "; nothing copied\n";
        return false;
    }
    const int pharmacy = dosagebase::copyPharmacyToServer(dataFolder, *server, &error);
    if (pharmacy < 0) {
        err << "cannot copy the pharmacy: " << error << "; nothing copied\n";
        return false;
    }
    if (!transaction.commit()) {
        err << "cannot commit the copy: " << server->lastError() << "; nothing copied\n";
        return false;
    }
    // A freshly loaded table has no statistics and no visibility map until autovacuum visits
    // it, and until then the drug list reads the table beside its index (several times
    // slower). The copy is committed already, so a failure here only costs that speed.
    if (!server->exec("VACUUM ANALYZE"))
        err << "the copy is complete, but VACUUM ANALYZE failed: " << server->lastError() << "\n";
    out << counts << "Phrase_List: " << lists << " lists\n"
        << dosagebase::kPharmacyTable << ": " << pharmacy << " rows\n"
        << "copied " << dataFolder.string() << " to the server\n";
    return true;
}

}  // namespace dataserver
