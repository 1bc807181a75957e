// Which key opens a database folder's files. A folder made from now on carries an id, and its
// key is in the key store; a folder made before carries none and is keyed with the built-in
// password until it is re-keyed (rekey.h).
#pragma once

#include <filesystem>
#include <string>

#include "folderkey/key_text.h"

namespace folderkey {

// The encrypted files of a database folder, as the libraries name them.
inline constexpr const char* kEncryptedFiles[] = {"薬剤ファイル.mdb", "患者ファイル.mdb"};

struct FolderKey {
    enum class State {
        BuiltIn,  // no id: the built-in password
        Ready,    // the id and its key
        Missing,  // an id whose key is not in this user's key store
    };
    State state = State::BuiltIn;
    std::string folderId;
    Key key{};
};

FolderKey keyOf(const std::filesystem::path& databaseFolder);

// Gives a database folder that has no id and no encrypted file yet an id and a new key, kept
// in the key store. True when the folder has an id now (made here or before).
bool giveNewKey(const std::filesystem::path& databaseFolder, std::string* error);

// True when `key` opens every encrypted file the folder has (at least one).
bool keyOpensFolder(const std::filesystem::path& databaseFolder, const Key& key);

}  // namespace folderkey
