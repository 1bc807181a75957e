// Where a folder's key is kept: outside the data folder, in the OS user's configuration, so a
// copied folder or a backup reveals nothing. The folder itself carries only its id.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "folderkey/key_text.h"

namespace folderkey {

// The file in a database folder that holds the folder's id.
inline constexpr const char* kFolderIdFile = "フォルダID.txt";

// The folder of the key files: $LEAFLET_KEY_DIR when set (tests, benches, a pharmacy that keeps
// keys elsewhere); else on Windows %APPDATA%\leafletdesk\keys; else
// $XDG_CONFIG_HOME/leafletdesk/keys, or ~/.config/leafletdesk/keys.
std::filesystem::path keyDirectory();
// <keyDirectory>/<folder id>.key
std::filesystem::path keyFile(std::string_view folderId);

// The id the database folder carries; nothing when it has none (a folder keyed with the
// built-in password) or the file does not hold an id.
std::optional<std::string> folderIdOf(const std::filesystem::path& databaseFolder);
// Writes the folder's id file whole (replaced atomically); false when that failed.
bool writeFolderId(const std::filesystem::path& databaseFolder, std::string_view folderId);

// The key kept for that folder id; nothing when there is none or it is not a key.
std::optional<Key> loadKey(std::string_view folderId);
// Keeps the key, replacing the file atomically: the folder 0700 and the file 0600 (key files
// are each OS user's own, shared folder or not). False with the reason in `error`.
bool saveKey(std::string_view folderId, const Key& key, std::string* error);

}  // namespace folderkey
