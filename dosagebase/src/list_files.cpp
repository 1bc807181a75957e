#include "list_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

#include "atomic_file/atomic_file.h"
#include "default_lists.h"
#include "dosagebase.h"
#include "list_format.h"
#include "list_messages.h"

namespace dosagebase {
namespace {

constexpr std::string_view kFileNames[DOSAGEBASE_LIST_COUNT] = {"用法.txt", "用量.txt", "日数.txt",
                                                                "処方医.txt", "薬剤師名.txt"};

enum class FileState { Missing, Unreadable, Read };

// The whole text of a list file. Anything but a readable regular file (a folder, a device, no
// permission) is unusable; a fifo or device is never opened, so reading cannot block.
FileState readStored(const std::filesystem::path& file, std::string& text) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return FileState::Missing;
    std::ifstream in;
    if (status.type() == std::filesystem::file_type::regular) in.open(file, std::ios::binary);
    if (!in.is_open()) return FileState::Unreadable;
    std::ostringstream all;
    all << in.rdbuf();
    text = std::move(all).str();
    return in.bad() ? FileState::Unreadable : FileState::Read;
}

// Serialises the saves into one folder among the programs that share it: an exclusive flock on
// the folder itself, so no lock file is left beside the lists. Where the file system does not
// carry flock between machines (some network shares), the save still compares the file's
// version after writing its temporary file, just before the rename: the window left is the
// flush and rename of that temporary file, a few milliseconds.
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

}  // namespace

std::filesystem::path listFile(const std::filesystem::path& folder, int index) {
    return folder / kFileNames[index];
}

bool loadList(const std::filesystem::path& folder, int index, char* table, ListVersion* version) {
    std::string text;
    const FileState state = readStored(listFile(folder, index), text);
    if (state == FileState::Unreadable) {
        std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
        report(Message::ReadFailed, kFileNames[index]);
        return false;
    }
    if (state == FileState::Missing) {
        fillDefaults(index, table);
    } else {
        std::istringstream in(text);
        readTable(in, table);
    }
    if (version) *version = state == FileState::Missing ? kNoStoredList : versionOf(text);
    return true;
}

Stored storeList(const std::filesystem::path& folder, int index, const char* table,
                 const ListVersion* expected, ListVersion* stored) {
    const std::filesystem::path file = listFile(folder, index);
    const std::string text = formatTable(table);
    const FolderLock lock(folder);
    atomic_file::Replacement replacement(file);
    if (replacement.begin() && replacement.write(text)) {
        std::string current;
        const FileState state = expected ? readStored(file, current) : FileState::Missing;
        const ListVersion now = state == FileState::Read ? versionOf(current) : kNoStoredList;
        if (expected && state != FileState::Unreadable && now != *expected) return Stored::Changed;
        if (state != FileState::Unreadable && replacement.commit()) {
            if (stored) *stored = versionOf(text);
            return Stored::Done;
        }
    }
    report(Message::WriteFailed, kFileNames[index]);
    return Stored::Failed;
}

}  // namespace dosagebase
