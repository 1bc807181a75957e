// The face of the data-server check: whether the data server a database folder names can be
// worked on, asked once at start-up.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "dataserver/admin.h"

namespace data {

// The state of the server, where it is and, when it cannot be worked on, why.
using ServerCheck = dataserver::ServerCheck;
// The version of the server's tables this program works with.
using dataserver::kSchemaVersion;

// Checks the server <dataFolder>/接続先.conf names (the files when it names none).
ServerCheck checkServer(const std::filesystem::path& dataFolder);

// Where the server the folder names is, without connecting; nothing when its data are files.
std::optional<std::string> serverNamedIn(const std::filesystem::path& dataFolder);

}  // namespace data
