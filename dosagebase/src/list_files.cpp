#include "list_files.h"

#include <cstring>
#include <fstream>
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

}  // namespace

std::filesystem::path listFile(const std::filesystem::path& folder, int index) {
    return folder / kFileNames[index];
}

bool loadList(const std::filesystem::path& folder, int index, char* table) {
    const std::filesystem::path file = listFile(folder, index);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        fillDefaults(index, table);
        return true;
    }
    // Anything but a readable regular file (a folder, a device, no permission) is unusable;
    // a fifo or device is never opened, so reading cannot block.
    std::ifstream in;
    if (status.type() == std::filesystem::file_type::regular) in.open(file, std::ios::binary);
    if (!in.is_open()) {
        std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
        report(Message::ReadFailed, kFileNames[index]);
        return false;
    }
    readTable(in, table);
    return true;
}

bool storeList(const std::filesystem::path& folder, int index, const char* table) {
    if (atomic_file::replaceFile(listFile(folder, index), formatTable(table))) return true;
    report(Message::WriteFailed, kFileNames[index]);
    return false;
}

}  // namespace dosagebase
