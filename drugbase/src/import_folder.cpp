#include "import_folder.h"

namespace drugbase {

std::filesystem::path& importFolder() {
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path importFile(const char* relative) {
    if (importFolder().empty()) return {};
    return importFolder() / std::filesystem::path(relative);
}

}  // namespace drugbase
