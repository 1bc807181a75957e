#include "server_connect.h"

#include <filesystem>

#include "dataserver/admin.h"
#include "dbcall/session.h"
#include "layout/data_folder.h"
#include "sqlkit/postgres.h"

namespace dataserver {

std::optional<std::string> serverAddress(const std::string& target, std::ostream& err) {
    std::error_code ec;
    std::string address = target, where = "the connection string";
    if (std::filesystem::is_directory(target, ec)) {
        const std::filesystem::path dataFolder = layout::databaseFolder(target);
        address = dbcall::serverAddressIn(dataFolder);
        where = (dataFolder / dbcall::kServerFileName).string();
        if (address.empty()) {
            err << where << ": no connection string\n";
            return std::nullopt;
        }
    }
    std::string problem;
    if (sqlkit::checkServerAddress(address, &problem)) return address;
    err << where << ": " << problem << "\n";
    return std::nullopt;
}

bool isUsableAddress(const std::string& conninfo, std::string* problem) {
    return sqlkit::checkServerAddress(conninfo, problem);
}

sqlkit::ConnectionPtr connectServer(const std::string& target, std::ostream& err) {
    const std::optional<std::string> address = serverAddress(target, err);
    if (!address) return nullptr;
    std::string error;
    sqlkit::ConnectionPtr server = sqlkit::openServer(*address, &error);
    if (!server) err << sqlkit::serverPlace(*address) << ": cannot connect: " << error << "\n";
    return server;
}

}  // namespace dataserver
