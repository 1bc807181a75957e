// Setting up a data server that several terminals share, and moving a folder's data onto it.
#include <vector>

#include "catalogue_admin.h"
#include "dataserver/admin.h"
#include "dbcall/session.h"
#include "layout/data_folder.h"
#include "list_server.h"
#include "patient_admin.h"
#include "pharmacy_store.h"
#include "server_tables.h"
#include "sqlkit/sqlkit.h"
#include "table_copy.h"
#include "used_ids.h"

namespace dataserver {

namespace {

// The server `target` names: a connection string, or a program folder whose
// データベース/接続先.conf holds one. nullptr after a message.
sqlkit::ConnectionPtr connectServer(const std::string& target, std::ostream& err) {
    std::error_code ec;
    std::string address = target, where = "the server";
    if (std::filesystem::is_directory(target, ec)) {
        const std::filesystem::path dataFolder = layout::databaseFolder(target);
        address = dbcall::serverAddressIn(dataFolder);
        where = (dataFolder / dbcall::kServerFileName).string();
        if (address.empty()) {
            err << where << ": no connection string\n";
            return nullptr;
        }
    }
    std::string error;
    sqlkit::ConnectionPtr server = sqlkit::openServer(address, &error);
    if (!server) err << where << ": cannot connect: " << error << "\n";
    return server;
}

// Creates every table of the libraries on `server`, inside the caller's transaction.
bool createEveryTable(sqlkit::Connection& server, std::string* error) {
    return drugbase::createCatalogueTables(server, error) &&
           patientbase::createPatientTables(server, error) &&
           dosagebase::createListTable(server, error) &&
           dosagebase::createPharmacyTable(server, error);
}

// The used IDs of a server set up before the register kept them: the table, holding the IDs of
// the patients registered now.
bool addUsedIdTable(sqlkit::Connection& server, std::string* error) {
    if (server.exec(patientbase::usedIdSchemaSql(server.dialect())))
        return patientbase::recordRegisteredIds(server, error);
    if (error) *error = server.lastError();
    return false;
}

// The tables that came after the first servers were set up, and how each joins such a server.
struct LaterTable {
    const char* name;
    bool (*add)(sqlkit::Connection&, std::string*);
};
constexpr LaterTable kLaterTables[] = {
    {patientbase::kUsedIdTable, addUsedIdTable},
    {dosagebase::kPharmacyTable, dosagebase::createPharmacyTable},
};

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

bool hasTable(sqlkit::Connection& server, const char* table) {
    sqlkit::Statement s = server.prepare(
        "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() AND "
        "table_name = lower(?)");
    s.bindText(1, table);
    return s.step();
}

}  // namespace

bool createServerTables(const std::string& target, std::ostream& out, std::ostream& err) {
    sqlkit::ConnectionPtr server = connectServer(target, err);
    if (!server) return false;
    std::string error;
    // Every library's tables or none, so a second try starts from the same empty database.
    sqlkit::Transaction transaction(*server);
    const int tables = transaction.began() ? existingTables(*server) : -1;
    if (tables < 0) {
        err << "cannot read the server's tables: " << server->lastError() << "\n";
        return false;
    }
    // A server set up before some tables existed has every table but those: it gets them, and
    // nothing else changes.
    std::vector<const LaterTable*> missing;
    for (const LaterTable& later : kLaterTables)
        if (tables != 0 && !hasTable(*server, later.name)) missing.push_back(&later);
    const bool upgrade = !missing.empty() && tables + static_cast<int>(missing.size()) ==
                                                 static_cast<int>(kServerTables.size());
    bool made = upgrade || createEveryTable(*server, &error);
    std::string added;
    for (std::size_t i = 0; upgrade && made && i < missing.size(); ++i) {
        made = missing[i]->add(*server, &error);
        added += (i == 0 ? "" : ", ") + std::string(missing[i]->name);
    }
    if (!made || !transaction.commit()) {
        err << "cannot create the tables on the server: "
            << (error.empty() ? server->lastError() : error) << "\n";
        return false;
    }
    if (upgrade) {
        out << "added " << added << " to the server; run grant-server again for each terminal "
            << "role\n";
    } else {
        out << "created the catalogue, the patient register, the phrase lists and the pharmacy "
               "on the server\n";
    }
    return true;
}

bool grantServerRows(const std::string& target, const std::string& role, std::ostream& out,
                     std::ostream& err) {
    sqlkit::ConnectionPtr server = connectServer(target, err);
    if (!server) return false;
    // Rows only: no tables, no schema changes, no other data. The sequences hand out the row
    // keys of new rows.
    std::string tables;
    for (const char* table : kServerTables)
        tables += (tables.empty() ? "" : ", ") + std::string(table);
    const std::string grants =
        "BEGIN;GRANT SELECT, INSERT, UPDATE, DELETE ON " + tables + " TO " + role +
        ";GRANT USAGE ON SEQUENCE medicine_information_row_key_seq, code_map_row_key_seq, "
        "patient_information_row_key_seq TO " +
        role + ";COMMIT";
    if (!server->exec(grants)) {
        err << "cannot grant the rights: " << server->lastError() << "\n";
        server->exec("ROLLBACK");
        return false;
    }
    out << role
        << " may now read and write the catalogue, the patient register, the phrase lists and "
           "the pharmacy\n";
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

    sqlkit::Transaction transaction(*server);
    const int tables = existingTables(*server);
    if (!transaction.began() || tables < 0) {
        err << "cannot read the server's tables: " << server->lastError() << "\n";
        return false;
    }
    if (tables == 0 && !createEveryTable(*server, &error)) {
        err << "cannot create the tables on the server: " << error << "\n";
        return false;
    }
    if (tables != 0 && tables != static_cast<int>(kServerTables.size())) {
        err << "the server has only some of the tables; copy-to-server needs an empty database "
               "or one made by server-init\n";
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
        // A drug file made before the code map existed has no Code_Map table, a patient file
        // made before the used IDs were kept no Patient_UsedID: nothing to copy.
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
