#include "sqlcipher_identity.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sqlkit::detail {

std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
    // One descriptor for both reads, so the inode and the salt are of the same file.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    FileIdentity identity;
    struct stat info {};
    const bool read =
        ::fstat(fd, &info) == 0 && ::pread(fd, identity.salt.data(), identity.salt.size(), 0) ==
                                       static_cast<ssize_t>(identity.salt.size());
    ::close(fd);
    if (!read) return std::nullopt;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
}

bool stillOpenedFile(sqlite3* db, const std::filesystem::path& file, const FileIdentity& opened) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return false;
    if (info.st_dev != opened.device || info.st_ino != opened.inode) return false;
    sqlite3_file* handle = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &handle) != SQLITE_OK ||
        !handle || !handle->pMethods)
        return false;
    decltype(FileIdentity::salt) salt{};
    return handle->pMethods->xRead(handle, salt.data(), static_cast<int>(salt.size()), 0) ==
               SQLITE_OK &&
           salt == opened.salt;
}

}  // namespace sqlkit::detail
