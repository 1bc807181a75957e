// The folders under the program's start directory that hold its data.
#pragma once

#include <filesystem>
#include <string>

namespace layout {

inline constexpr const char* kDatabaseFolder = "データベース";   // both database files
inline constexpr const char* kConfigFolder = "コンフィグ";       // the user settings file
inline constexpr const char* kPhotoFolder = "薬剤写真";          // PHOTO1 ... PHOTO6
inline constexpr const char* kUserPhotoFolder = "ユーザー写真";  // start of the photo chooser
inline constexpr int kPhotoFolderCount = 6;
// The file in a database folder that points its libraries at a data server: one libpq
// connection string, with no password.
inline constexpr const char* kServerFile = "接続先.conf";

inline std::filesystem::path databaseFolder(const std::filesystem::path& start) {
    return start / kDatabaseFolder;
}

inline std::filesystem::path photoFolder(const std::filesystem::path& start, int n) {
    return start / kPhotoFolder / ("PHOTO" + std::to_string(n));
}

}  // namespace layout
