// Setting up a data server that several terminals share, and moving a folder's data onto it.
#include <cctype>

#include "admin.h"
#include "dataserver/admin.h"
#include "layout/data_folder.h"

namespace admin {
namespace {

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

int initServer(const std::string& target, std::ostream& out, std::ostream& err) {
    return dataserver::createServerTables(target, out, err) ? kDone : kRefused;
}

int upgradeServer(const std::string& target, std::ostream& out, std::ostream& err) {
    return dataserver::upgradeServerTables(target, out, err) ? kDone : kRefused;
}

int grantServer(const std::string& target, const std::string& role, const std::string& kind,
                std::ostream& out, std::ostream& err) {
    // The role's name goes into the statement: nothing but a plain name is taken.
    if (!isPlainRoleName(role)) {
        err << role << ": a role name here is lower-case letters, digits and _\n";
        return kUsage;
    }
    if (kind != "counter" && kind != "owner") {
        err << kind << ": the rights are counter or owner\n";
        return kUsage;
    }
    const auto rights = kind == "owner" ? dataserver::Role::Owner : dataserver::Role::Counter;
    return dataserver::grantServerRows(target, role, rights, out, err) ? kDone : kRefused;
}

int backupServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                 std::ostream& err) {
    return dataserver::backupServer(target, file, out, err) ? kDone : kRefused;
}

int restoreServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                  std::ostream& err) {
    return dataserver::restoreServer(target, file, out, err) ? kDone : kRefused;
}

int copyToServer(const std::filesystem::path& folder, const std::string& conninfo,
                 std::ostream& out, std::ostream& err) {
    return dataserver::copyFolderToServer(layout::databaseFolder(folder), conninfo, out, err)
               ? kDone
               : kRefused;
}

}  // namespace admin
