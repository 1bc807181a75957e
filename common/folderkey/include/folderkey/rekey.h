// Moving a folder keyed with the built-in password to a key of its own, all or nothing across
// its encrypted files:
// 1. each file is copied, re-keyed with the new key, beside itself ("<file>.rekeyed", flushed);
// 2. the key is kept in the key store;
// 3. the plan (the new id and the files) is written to the journal ("rekey.journal"): from here
//    the re-key is done, whatever happens;
// 4. the copies are renamed over the files, the id is written, the journal removed.
// A start that finds a journal carries it out from step 4; one that finds copies without a
// journal removes them, and the folder stays on the password.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace folderkey {

inline constexpr const char* kRekeyJournal = "rekey.journal";
inline constexpr const char* kRekeyedSuffix = ".rekeyed";

// The steps of a re-key, in order, for a caller that watches it (the tests stop it there).
enum class RekeyStep { Copied, KeySaved, JournalWritten, FileRenamed, IdWritten };

// Finishes or undoes a re-key that was interrupted. False with the reason in `error` when a
// journal cannot be carried out (its key is gone, a rename fails); true otherwise.
bool finishRekey(const std::filesystem::path& databaseFolder, std::string* error);

// Re-keys a folder still on the built-in password (after finishing an interrupted re-key);
// true when the folder has its own key now. `rekeyed` tells whether this call re-keyed it.
// `afterStep` is called after each step (FileRenamed after each file).
bool rekeyFolder(const std::filesystem::path& databaseFolder, bool* rekeyed, std::string* error,
                 const std::function<void(RekeyStep)>& afterStep = {});

}  // namespace folderkey
