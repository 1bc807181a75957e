#include "folderkey/rekey.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "atomic_file/atomic_file.h"
#include "folderkey/file_key.h"
#include "folderkey/key_store.h"

namespace folderkey {
namespace {

namespace fs = std::filesystem;

fs::path copyOf(const fs::path& file) {
    return file.string() + kRekeyedSuffix;
}

bool failWith(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

// The journal: the new folder id on its first line, then the files to rename, one a line.
struct Plan {
    std::string folderId;
    std::vector<std::string> files;
};

std::string journalText(const Plan& plan) {
    std::string text = plan.folderId + "\n";
    for (const std::string& name : plan.files) text += name + "\n";
    return text;
}

Plan readJournal(const fs::path& journal) {
    std::ifstream in(journal);
    Plan plan;
    std::getline(in, plan.folderId);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) plan.files.push_back(line);
    return plan;
}

bool carryOut(const fs::path& folder, const Plan& plan, const Key& key, std::string* error,
              const std::function<void(RekeyStep)>& afterStep) {
    std::error_code ec;
    for (const std::string& name : plan.files) {
        const fs::path file = folder / name;
        // A copy already renamed on an earlier try is the file now; the id is written only when
        // that is so (a copy removed by another program must not leave a file on the password).
        if (fs::exists(copyOf(file), ec)) fs::rename(copyOf(file), file, ec);
        if (ec || !sqlkit::openEncrypted(file, sqlkit::FileKey::raw(key), nullptr))
            return failWith(error, file.string() + ": the re-keyed copy cannot be put in place");
        if (afterStep) afterStep(RekeyStep::FileRenamed);
    }
    if (!writeFolderId(folder, plan.folderId))
        return failWith(error, (folder / kFolderIdFile).string() + ": cannot write the id");
    if (afterStep) afterStep(RekeyStep::IdWritten);
    fs::remove(folder / kRekeyJournal, ec);
    return true;
}

void removeCopies(const fs::path& folder) {
    std::error_code ec;
    for (const char* name : kEncryptedFiles) fs::remove(copyOf(folder / name), ec);
}

}  // namespace

bool finishRekey(const fs::path& databaseFolder, std::string* error) {
    std::error_code ec;
    const fs::path journal = databaseFolder / kRekeyJournal;
    if (!fs::exists(journal, ec)) {
        removeCopies(databaseFolder);
        return true;
    }
    const Plan plan = readJournal(journal);
    // The key was kept before the journal was written; without it the copies cannot be read.
    const auto key = loadKey(plan.folderId);
    if (!key)
        return failWith(error,
                        "the key of the interrupted re-key is not in " + keyDirectory().string());
    return carryOut(databaseFolder, plan, *key, error, {});
}

bool rekeyFolder(const fs::path& databaseFolder, bool* rekeyed, std::string* error,
                 const std::function<void(RekeyStep)>& afterStep) {
    if (rekeyed) *rekeyed = false;
    if (!finishRekey(databaseFolder, error)) return false;
    const FolderKey current = keyOf(databaseFolder);
    if (current.state != FolderKey::State::BuiltIn) return true;
    Plan plan{randomFolderId(), {}};
    const Key key = randomKey();
    std::error_code ec;
    for (const char* name : kEncryptedFiles) {
        const fs::path file = databaseFolder / name;
        if (!fs::exists(file, ec)) continue;
        std::string why;
        if (!sqlkit::exportRekeyed(file, fileKeyOf(current), copyOf(file),
                                   sqlkit::FileKey::raw(key), &why)) {
            removeCopies(databaseFolder);
            return failWith(error, file.string() + ": cannot re-key: " + why);
        }
        plan.files.push_back(name);
    }
    // A folder without data files (a program folder never set up) has nothing to re-key and
    // gets no key: the start then says its data are missing.
    if (plan.files.empty()) return true;
    if (afterStep) afterStep(RekeyStep::Copied);
    if (!saveKey(plan.folderId, key, error)) {
        removeCopies(databaseFolder);
        return false;
    }
    if (afterStep) afterStep(RekeyStep::KeySaved);
    if (!atomic_file::replaceFile(databaseFolder / kRekeyJournal, journalText(plan))) {
        removeCopies(databaseFolder);
        return failWith(error, (databaseFolder / kRekeyJournal).string() + ": cannot write");
    }
    if (afterStep) afterStep(RekeyStep::JournalWritten);
    if (!carryOut(databaseFolder, plan, key, error, afterStep)) return false;
    if (rekeyed) *rekeyed = true;
    return true;
}

}  // namespace folderkey
