// Setting up a data server that several terminals share.
#include <cctype>

#include "admin.h"
#include "catalogue_admin.h"
#include "dbcall/session.h"
#include "layout/data_folder.h"
#include "patient_admin.h"
#include "sqlkit/sqlkit.h"

namespace admin {

namespace {

// The server the folder's 接続先.conf names, or nullptr after a message.
sqlkit::ConnectionPtr connectFolderServer(const std::filesystem::path& folder, std::ostream& err) {
    const std::filesystem::path dataFolder = layout::databaseFolder(folder);
    const std::string address = dbcall::serverAddressIn(dataFolder);
    const std::string serverFile = (dataFolder / dbcall::kServerFileName).string();
    if (address.empty()) {
        err << serverFile << ": no connection string\n";
        return nullptr;
    }
    std::string error;
    sqlkit::ConnectionPtr server = sqlkit::openServer(address, &error);
    if (!server) err << serverFile << ": cannot connect: " << error << "\n";
    return server;
}

bool isPlainRoleName(const std::string& role) {
    if (role.empty() || role.size() > 63 || std::isdigit(static_cast<unsigned char>(role[0])))
        return false;
    for (char c : role)
        if (!(std::islower(static_cast<unsigned char>(c)) ||
              std::isdigit(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}

}  // namespace

int initServer(const std::filesystem::path& folder, std::ostream& out, std::ostream& err) {
    sqlkit::ConnectionPtr server = connectFolderServer(folder, err);
    if (!server) return kRefused;
    std::string error;
    // Both libraries' tables or none, so a second try starts from the same empty database.
    sqlkit::Transaction transaction(*server);
    if (!transaction.began() || !drugbase::createCatalogueTables(*server, &error) ||
        !patientbase::createPatientTables(*server, &error) || !transaction.commit()) {
        err << "cannot create the tables on the server: "
            << (error.empty() ? server->lastError() : error) << "\n";
        return kRefused;
    }
    out << "created the catalogue and the patient register on the server\n";
    return kDone;
}

int grantServer(const std::filesystem::path& folder, const std::string& role, std::ostream& out,
                std::ostream& err) {
    if (!isPlainRoleName(role)) {
        err << role << ": a role name here is lower-case letters, digits and _\n";
        return kUsage;
    }
    sqlkit::ConnectionPtr server = connectFolderServer(folder, err);
    if (!server) return kRefused;
    // Rows only: no tables, no schema changes, no other data. The sequences hand out the row
    // keys of new rows.
    const std::string grants =
        "BEGIN;"
        "GRANT SELECT, INSERT, UPDATE, DELETE ON Medicine_Information, Patient_Information TO " +
        role +
        ";GRANT USAGE ON SEQUENCE medicine_information_row_key_seq, "
        "patient_information_row_key_seq TO " +
        role + ";COMMIT";
    if (!server->exec(grants)) {
        err << "cannot grant the rights: " << server->lastError() << "\n";
        server->exec("ROLLBACK");
        return kRefused;
    }
    out << role << " may now read and write the catalogue and the patient register\n";
    return kDone;
}

}  // namespace admin
