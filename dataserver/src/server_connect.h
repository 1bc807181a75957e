// The server an administrator's command names: a connection string, or a program folder whose
// データベース/接続先.conf holds one.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "sqlkit/connection.h"

namespace dataserver {

// The connection string `target` gives; nothing after a message on `err` (a folder without
// one, a string with a password).
std::optional<std::string> serverAddress(const std::string& target, std::ostream& err);

// Connected to the server `target` names; nullptr after a message on `err`.
sqlkit::ConnectionPtr connectServer(const std::string& target, std::ostream& err);

}  // namespace dataserver
