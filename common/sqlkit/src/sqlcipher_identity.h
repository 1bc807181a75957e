// What tells one database file from another at the same path, for a connection kept across calls.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

struct sqlite3;

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

// Whether the file at `file` is still `opened`, the file `db` has open. The salt is read through
// the connection's own descriptor once the inode is known to match, so a call opens and closes
// no descriptor of its own on the database file: closing one would drop every POSIX lock this
// process holds on it, another connection's write lock included. False also when the file is
// missing.
bool stillOpenedFile(sqlite3* db, const std::filesystem::path& file, const FileIdentity& opened);

}  // namespace sqlkit::detail
