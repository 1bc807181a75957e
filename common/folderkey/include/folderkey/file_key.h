// The engine's key for a folder's files, for the layers that open them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "folderkey/folder_keying.h"
#include "sqlkit/sqlcipher.h"

namespace folderkey {

// The password every folder was keyed with before folders had keys of their own.
inline constexpr const char* kBuiltInPassword = "HN%tPQS";

// What opens the folder's files: its own key when Ready, else the built-in password.
sqlkit::FileKey fileKeyOf(const FolderKey& folderKey);
// The key of the files in `databaseFolder`; nothing, with the reason in `error`, when the
// folder's key is missing (no file may then be made or read with another key).
std::optional<sqlkit::FileKey> fileKeyIn(const std::filesystem::path& databaseFolder,
                                         std::string* error);

}  // namespace folderkey
