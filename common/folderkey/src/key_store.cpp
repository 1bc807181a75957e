#include "folderkey/key_store.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "atomic_file/atomic_file.h"

namespace folderkey {
namespace {

namespace fs = std::filesystem;

fs::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fs::path();
}

std::string readSmallFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > 4096 ? std::string() : text;
}

bool isFolderId(std::string_view text) {
    if (text.size() != 32) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace

fs::path keyDirectory() {
    if (fs::path own = fromEnvironment("LEAFLET_KEY_DIR"); !own.empty()) return own;
#ifdef _WIN32
    return fromEnvironment("APPDATA") / "leafletdesk" / "keys";
#else
    fs::path config = fromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) config = fromEnvironment("HOME") / ".config";
    return config / "leafletdesk" / "keys";
#endif
}

fs::path keyFile(std::string_view folderId) {
    return keyDirectory() / (std::string(folderId) + ".key");
}

std::optional<std::string> folderIdOf(const fs::path& databaseFolder) {
    std::string text = readSmallFile(databaseFolder / kFolderIdFile);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (!isFolderId(text)) return std::nullopt;
    return text;
}

bool writeFolderId(const fs::path& databaseFolder, std::string_view folderId) {
    return atomic_file::replaceFile(databaseFolder / kFolderIdFile, std::string(folderId) + "\n");
}

std::optional<Key> loadKey(std::string_view folderId) {
    if (!isFolderId(folderId)) return std::nullopt;
    return parseKey(readSmallFile(keyFile(folderId)));
}

bool saveKey(std::string_view folderId, const Key& key, std::string* error) {
    const fs::path folder = keyDirectory();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec) fs::permissions(folder, fs::perms::owner_all, ec);
    const fs::path file = keyFile(folderId);
    bool saved = !ec && atomic_file::replaceFile(file, hexOf(key) + "\n");
    if (saved) fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, ec);
    saved = saved && !ec;
    if (!saved && error) *error = file.string() + ": cannot keep the key there";
    return saved;
}

}  // namespace folderkey
