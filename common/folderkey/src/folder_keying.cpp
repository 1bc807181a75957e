#include "folderkey/folder_keying.h"

#include "folderkey/file_key.h"

#include "folderkey/key_store.h"

namespace folderkey {
sqlkit::FileKey fileKeyOf(const FolderKey& folderKey) {
    return folderKey.state == FolderKey::State::Ready ? sqlkit::FileKey::raw(folderKey.key)
                                                      : sqlkit::FileKey::password(kBuiltInPassword);
}

std::optional<sqlkit::FileKey> fileKeyIn(const std::filesystem::path& databaseFolder,
                                         std::string* error) {
    const FolderKey key = keyOf(databaseFolder);
    if (key.state != FolderKey::State::Missing) return fileKeyOf(key);
    if (error) *error = "the key of folder " + key.folderId + " is not in the key store";
    return std::nullopt;
}

FolderKey keyOf(const std::filesystem::path& databaseFolder) {
    FolderKey found;
    const auto id = folderIdOf(databaseFolder);
    if (!id) return found;
    found.folderId = *id;
    const auto key = loadKey(*id);
    found.state = key ? FolderKey::State::Ready : FolderKey::State::Missing;
    if (key) found.key = *key;
    return found;
}

bool giveNewKey(const std::filesystem::path& databaseFolder, std::string* error) {
    if (folderIdOf(databaseFolder)) return true;
    std::error_code ec;
    for (const char* name : kEncryptedFiles)
        if (std::filesystem::exists(databaseFolder / name, ec)) {
            if (error) *error = "the folder's files are keyed with the built-in password";
            return false;
        }
    const std::string id = randomFolderId();
    // The key first: an id without its key would lock the folder's new files away.
    if (!saveKey(id, randomKey(), error)) return false;
    if (writeFolderId(databaseFolder, id)) return true;
    if (error) *error = (databaseFolder / kFolderIdFile).string() + ": cannot write the id";
    return false;
}

bool keyOpensFolder(const std::filesystem::path& databaseFolder, const Key& key) {
    int opened = 0;
    std::error_code ec;
    for (const char* name : kEncryptedFiles) {
        const std::filesystem::path file = databaseFolder / name;
        if (!std::filesystem::exists(file, ec)) continue;
        if (!sqlkit::openEncrypted(file, sqlkit::FileKey::raw(key), nullptr)) return false;
        ++opened;
    }
    return opened > 0;
}

}  // namespace folderkey
