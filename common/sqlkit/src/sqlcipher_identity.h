// What tells one database file from another at the same path, for a connection kept across calls.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace sqlkit::detail {

// A kept connection reads the file it opened, even after another file took its path, and it
// keeps the page key it derived at the open. So before each call it compares:
// - device and inode: a file renamed into place (an import, a restore by rename) is another
//   inode. The old file stays open under the connection, so its inode cannot be reused;
// - the 16-byte salt at the start of the file: a backup copied over the same inode brings the
//   salt, and so the page key, of its own file, which the kept key would not decrypt.
// Changed content under the same key SQLite notices itself: its read lock compares the bytes of
// page 1 that change with every commit, and a changed schema re-prepares statements. The file's
// time and size are left out, since every write of another program changes them.
struct FileIdentity {
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
    std::array<unsigned char, 16> salt{};

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at `file` now; nothing when it is missing or shorter than a salt.
std::optional<FileIdentity> identityOf(const std::filesystem::path& file);

}  // namespace sqlkit::detail
