// The folder's key: made at init, the one-time re-key, showing it, and taking it back on
// another machine or user.
#include <fstream>
#include <string>

#include "admin.h"
#include "folderkey/folder_keying.h"
#include "folderkey/key_messages.h"
#include "folderkey/key_store.h"
#include "folderkey/rekey.h"
#include "layout/data_folder.h"

namespace admin {
namespace {

namespace fs = std::filesystem;
using State = folderkey::FolderKey::State;

bool hasEncryptedFile(const fs::path& databaseFolder) {
    std::error_code ec;
    for (const char* name : folderkey::kEncryptedFiles)
        if (fs::exists(databaseFolder / name, ec)) return true;
    return false;
}

void sayMissing(const folderkey::FolderKey& key, std::ostream& err) {
    err << folderkey::filledIn(folderkey::kMissingKeyText, key.folderId) << "\n";
}

}  // namespace

int keyFolder(const fs::path& databaseFolder, std::ostream& out, std::ostream& err) {
    std::string error;
    if (hasEncryptedFile(databaseFolder) || fs::exists(databaseFolder / folderkey::kRekeyJournal))
        return rekeyFolder(databaseFolder, out, err);
    if (!folderkey::giveNewKey(databaseFolder, &error)) {
        err << databaseFolder.string() << ": " << error << "\n";
        return kRefused;
    }
    return keyUsable(databaseFolder, err) ? kDone : kRefused;
}

bool keyUsable(const fs::path& databaseFolder, std::ostream& err) {
    std::string error;
    if (!folderkey::finishRekey(databaseFolder, &error)) {
        err << databaseFolder.string() << ": " << error << "\n";
        return false;
    }
    const folderkey::FolderKey key = folderkey::keyOf(databaseFolder);
    if (key.state != State::Missing) return true;
    sayMissing(key, err);
    return false;
}

int rekeyFolder(const fs::path& databaseFolder, std::ostream& out, std::ostream& err) {
    std::string error;
    bool rekeyed = false;
    if (!folderkey::rekeyFolder(databaseFolder, &rekeyed, &error)) {
        err << databaseFolder.string() << ": " << error << "\n";
        return kRefused;
    }
    if (!keyUsable(databaseFolder, err)) return kRefused;
    if (rekeyed)
        out << databaseFolder.string() << ": re-keyed with the folder's own key "
            << folderkey::keyFile(folderkey::keyOf(databaseFolder).folderId).string() << "\n";
    return kDone;
}

int showKey(const fs::path& folder, std::ostream& out, std::ostream& err) {
    const fs::path databaseFolder = layout::databaseFolder(folder);
    if (!keyUsable(databaseFolder, err)) return kRefused;
    const folderkey::FolderKey key = folderkey::keyOf(databaseFolder);
    if (key.state == State::BuiltIn) {
        err << databaseFolder.string()
            << ": the files are still keyed with the built-in password; run leafletadmin rekey\n";
        return kRefused;
    }
    out << "folder id: " << key.folderId << "\n"
        << "key file:  " << folderkey::keyFile(key.folderId).string() << "\n"
        << "key:\n"
        << folderkey::groupedHex(key.key) << "\n";
    return kDone;
}

int importKey(const fs::path& folder, const std::string& keyText, std::ostream& out,
              std::ostream& err) {
    const fs::path databaseFolder = layout::databaseFolder(folder);
    const auto id = folderkey::folderIdOf(databaseFolder);
    if (!id) {
        err << databaseFolder.string() << ": the folder has no id, so no key of its own\n";
        return kRefused;
    }
    const auto key = folderkey::parseKey(keyText);
    if (!key) {
        err << "the key must be 64 hex digits (spaces between groups are allowed)\n";
        return kUsage;
    }
    // Kept only when it opens the folder's files: a mistyped key must not replace a good one.
    if (!folderkey::keyOpensFolder(databaseFolder, *key)) {
        err << databaseFolder.string()
            << ": this key does not open the folder's files; nothing kept\n";
        return kRefused;
    }
    std::string error;
    if (!folderkey::saveKey(*id, *key, &error)) {
        err << error << "\n";
        return kRefused;
    }
    out << "kept the key of folder " << *id << " in " << folderkey::keyFile(*id).string() << "\n";
    return kDone;
}

}  // namespace admin
