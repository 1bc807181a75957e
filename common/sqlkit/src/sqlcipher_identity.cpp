#include "sqlcipher_identity.h"

#include <fcntl.h>
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

}  // namespace sqlkit::detail
