#include "atomic_file/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

namespace atomic_file {
namespace {

// Makes a rename durable: the folder entry itself is flushed. Failures only cost durability.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

}  // namespace

Replacement::Replacement(std::filesystem::path target) : target_(std::move(target)) {}

Replacement::~Replacement() {
    discard();
}

bool Replacement::begin() {
    discard();
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = folderOf(target_);
    // Hidden and unique per process and attempt, so two writers never share a temporary file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target_.filename().string() + ".tmp-" +
                                 std::to_string(::getpid()) + "-" + std::to_string(counter++);
        temp_ = folder / name;
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) break;
        if (errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
    // A replaced file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool Replacement::write(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool Replacement::commit() {
    if (fd_ < 0) return false;
    const bool flushed = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !closed || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temp_.clear();
    syncFolder(folderOf(target_));
    return true;
}

void Replacement::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool replaceFile(const std::filesystem::path& target, std::string_view content) {
    Replacement replacement(target);
    return replacement.begin() && replacement.write(content) && replacement.commit();
}

}  // namespace atomic_file
