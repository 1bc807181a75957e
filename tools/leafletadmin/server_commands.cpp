// Setting up a data server that several terminals share.
#include "admin.h"
#include "catalogue_admin.h"
#include "dbcall/session.h"
#include "layout/data_folder.h"
#include "patient_admin.h"
#include "sqlkit/sqlkit.h"

namespace admin {

int initServer(const std::filesystem::path& folder, std::ostream& out, std::ostream& err) {
    const std::filesystem::path dataFolder = layout::databaseFolder(folder);
    const std::string address = dbcall::serverAddressIn(dataFolder);
    const std::string serverFile = (dataFolder / dbcall::kServerFileName).string();
    if (address.empty()) {
        err << serverFile << ": no connection string\n";
        return kRefused;
    }
    std::string error;
    sqlkit::ConnectionPtr server = sqlkit::openServer(address, &error);
    if (!server) {
        err << serverFile << ": cannot connect: " << error << "\n";
        return kRefused;
    }
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

}  // namespace admin
