// The rights of a terminal's role on a data server.
#include "dataserver/admin.h"
#include "server_connect.h"
#include "sqlkit/sqlkit.h"

namespace dataserver {
namespace {

constexpr const char* kSequences =
    "SEQUENCE medicine_information_row_key_seq, code_map_row_key_seq, "
    "patient_information_row_key_seq";
constexpr const char* kReadWrite = "SELECT, INSERT, UPDATE, DELETE";

// What a counter role may do with each table. Taking the write lock is locking the lock
// table's row (FOR UPDATE), which needs the right to update a column of it; its CHECK keeps
// such an update from changing anything.
struct CounterRights {
    const char* table;
    const char* rights;
};
constexpr CounterRights kCounterRights[] = {
    {"Medicine_Information", "SELECT"},
    {"Code_Map", "SELECT"},
    {"User_Photo", "SELECT"},
    {"Patient_Information", kReadWrite},
    {"Patient_UsedID", kReadWrite},
    {"Phrase_List", kReadWrite},
    // The pharmacy's dialog is in the program every terminal runs; its details (name, code,
    // address) only reach the printed handbook codes.
    {"Pharmacy_Information", kReadWrite},
    {"Server_Schema", "SELECT"},
    {"Server_Lock", "SELECT, UPDATE (LOCK_ROW)"},
    // The audit trail only grows: a terminal adds its rows and reads them, never changes one.
    {"Audit_Log", "SELECT, INSERT"},
};

std::string counterGrants(const std::string& role) {
    // These rights exactly: what an earlier grant gave beyond them (writing the catalogue)
    // goes.
    std::string tables, grants;
    for (const CounterRights& t : kCounterRights) {
        tables += (tables.empty() ? "" : ", ") + std::string(t.table);
        grants += "GRANT " + std::string(t.rights) + " ON " + t.table + " TO " + role + ";";
    }
    const std::string sql = "BEGIN;REVOKE ALL ON " + tables + " FROM " + role + ";REVOKE ALL ON " +
                            kSequences + " FROM " + role + ";" + grants;
    // The sequence hands out the row keys of new patients.
    return sql + "GRANT USAGE ON SEQUENCE patient_information_row_key_seq TO " + role + ";COMMIT";
}

// Membership of the role owning the tables: every right its owner has, upgrades included.
// Never a superuser's: the tables must belong to an owner role of their own.
bool grantOwner(sqlkit::Connection& server, const std::string& role, std::ostream& err) {
    sqlkit::Statement owner = server.prepare(
        "SELECT format('GRANT %I TO %I', r.rolname, ?::text), r.rolsuper FROM pg_class c "
        "JOIN pg_roles r ON r.oid = c.relowner WHERE c.oid = to_regclass('medicine_information')");
    owner.bindText(1, role);
    if (!owner.step()) {
        err << "cannot find the owner of the tables: "
            << (owner.failed() ? owner.error() : "no tables; run server-init") << "\n";
        return false;
    }
    if (owner.text(1) == "t" || owner.text(1) == "true") {
        err << "the tables belong to a superuser; make them with an owner role of their own "
               "(README: Several terminals)\n";
        return false;
    }
    const std::string grant(owner.text(0));
    if (server.exec(grant)) return true;
    err << "cannot grant the rights: " << server.lastError() << "\n";
    return false;
}

}  // namespace

bool grantServerRows(const std::string& target, const std::string& role, Role kind,
                     std::ostream& out, std::ostream& err) {
    sqlkit::ConnectionPtr server = connectServer(target, err);
    if (!server) return false;
    if (kind == Role::Owner) {
        if (!grantOwner(*server, role, err)) return false;
        out << role
            << " may now do what the tables' owner may: imports, catalogue changes and "
               "upgrades\n";
        return true;
    }
    if (!server->exec(counterGrants(role))) {
        err << "cannot grant the rights: " << server->lastError() << "\n";
        server->exec("ROLLBACK");
        return false;
    }
    out << role
        << " may now read the catalogue and the code map, read and write the patients, their "
           "histories, the phrase lists and the pharmacy, take the write lock, and add to the "
           "audit "
           "trail without changing it\n";
    return true;
}

}  // namespace dataserver
