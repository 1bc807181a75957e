// The permissions of what the program writes: data files, key files, settings and journals are
// the owner's alone (0600, folders 0700), whatever the umask. A pharmacy whose OS users share
// one program folder sets LEAFLET_SHARED_GROUP=1 for all of them; the files are then also their
// group's (0660, folders 0770), the group the administrator gave the folder (README).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace layout {

inline bool sharedWithGroup() {
    const char* shared = std::getenv("LEAFLET_SHARED_GROUP");
    return shared && std::string_view(shared) == "1";
}

inline std::filesystem::perms fileMode() {
    using p = std::filesystem::perms;
    return sharedWithGroup() ? p::owner_read | p::owner_write | p::group_read | p::group_write
                             : p::owner_read | p::owner_write;
}

inline std::filesystem::perms folderMode() {
    using p = std::filesystem::perms;
    return sharedWithGroup() ? p::owner_all | p::group_all : p::owner_all;
}

// Gives `path` the file mode (or, for a folder, the folder mode); false when that failed.
inline bool restrict(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::permissions(
        path, std::filesystem::is_directory(path, ec) ? folderMode() : fileMode(), ec);
    return !ec;
}

}  // namespace layout
