#include "atomic_file/atomic_file.h"

#include "layout/file_modes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
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

constexpr std::string_view kTempMark = ".tmp-";
constexpr auto kStaleAfter = std::chrono::minutes(1);

std::string temporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + std::string(kTempMark);
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process id in a temporary file's name after its prefix ("<pid>-<n>"); 0 when the rest
// is not of that form.
pid_t writerOf(std::string_view rest) {
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash > 9 || !allDigits(rest.substr(0, dash)) ||
        !allDigits(rest.substr(dash + 1)))
        return 0;
    return static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
}

bool isRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

bool isStale(const std::filesystem::path& file, pid_t writer) {
    if (writer != ::getpid() && !isRunning(writer)) return true;
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    return !ec && std::filesystem::file_time_type::clock::now() - written > kStaleAfter;
}

// Removes the stale temporary files of earlier replacements of `target`. Best effort: a file
// that cannot be removed only takes some room.
void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folderOf(target), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix)) continue;
        const pid_t writer = writerOf(std::string_view(name).substr(prefix.size()));
        std::error_code typeError;
        if (writer > 0 && it->is_regular_file(typeError) && isStale(it->path(), writer))
            ::unlink(it->path().c_str());
    }
}

}  // namespace

Replacement::Replacement(std::filesystem::path target) : target_(std::move(target)) {}

Replacement::~Replacement() {
    discard();
}

bool Replacement::begin() {
    discard();
    removeStaleTemporaries(target_);
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = folderOf(target_);
    // Hidden and unique per process and attempt, so two writers never share a temporary file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = folder / (temporaryPrefix(target_) + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++));
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ >= 0) break;
        if (errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
    // A replaced file keeps the permissions of the one it replaces; a new one is its owner's
    // (or its group's too, where the folder is shared), whatever the umask.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 07777);
    else
        ::fchmod(fd_, static_cast<mode_t>(layout::fileMode()));
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

bool isTemporaryFile(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    const std::size_t mark = name.rfind(kTempMark);
    // "." + a name of at least one character + the mark + "<pid>-<n>".
    return name.starts_with('.') && mark != std::string::npos && mark > 1 &&
           writerOf(std::string_view(name).substr(mark + kTempMark.size())) > 0;
}

bool replaceFile(const std::filesystem::path& target, std::string_view content) {
    Replacement replacement(target);
    return replacement.begin() && replacement.write(content) && replacement.commit();
}

}  // namespace atomic_file
