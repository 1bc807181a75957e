#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "folderkey/file_key.h"
#include "folderkey/key_store.h"
#include "folderkey/rekey.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using folderkey::RekeyStep;
using State = folderkey::FolderKey::State;

namespace {

// A folder made before folders had keys: both files on the built-in password, each with a row.
void makeOldFolder(const fs::path& folder) {
    int n = 1;
    for (const char* name : folderkey::kEncryptedFiles) {
        const std::string schema =
            "CREATE TABLE t (n); INSERT INTO t VALUES (" + std::to_string(n++) + ")";
        ASSERT_TRUE(
            sqlkit::createEncrypted(folder / name, folderkey::kBuiltInPassword, schema, nullptr));
    }
}

// The row of each file read with `key`; 0 for a file it does not open.
std::vector<int> rowsWith(const fs::path& folder, const sqlkit::FileKey& key) {
    std::vector<int> rows;
    for (const char* name : folderkey::kEncryptedFiles) {
        auto c = sqlkit::openEncrypted(folder / name, key, nullptr);
        sqlkit::Statement read =
            c ? c->prepare("SELECT n FROM t") : sqlkit::Statement::failed("not opened");
        rows.push_back(read.ok() && read.step() ? static_cast<int>(read.integer(0)) : 0);
    }
    return rows;
}

}  // namespace

// The re-key stopped dead (as by kill -9) after each of its steps, then a start on the folder:
// every file opens with the one key the folder now names and holds its row.
TEST(Rekey, AnInterruptedRekeyLeavesEveryFileReadableWithOneKey) {
    struct Case {
        const char* name;
        std::optional<RekeyStep> stopAfter;
        State after;
    } cases[] = {
        {"copies made", RekeyStep::Copied, State::BuiltIn},
        {"key kept", RekeyStep::KeySaved, State::BuiltIn},
        {"journal written", RekeyStep::JournalWritten, State::Ready},
        {"first file renamed", RekeyStep::FileRenamed, State::Ready},
        {"id written", RekeyStep::IdWritten, State::Ready},
        {"not stopped", std::nullopt, State::Ready},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        makeOldFolder(dir.path());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool rekeyed = false;
            std::string error;
            folderkey::rekeyFolder(dir.path(), &rekeyed, &error, [&](RekeyStep step) {
                if (step == c.stopAfter) ::_exit(9);
            });
            ::_exit(rekeyed ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_EQ(WEXITSTATUS(status), c.stopAfter ? 9 : 0);

        std::string error;
        ASSERT_TRUE(folderkey::finishRekey(dir.path(), &error)) << error;
        const folderkey::FolderKey key = folderkey::keyOf(dir.path());
        EXPECT_EQ(key.state, c.after);
        EXPECT_EQ(rowsWith(dir.path(), folderkey::fileKeyOf(key)), (std::vector<int>{1, 2}));
        if (c.after == State::Ready) {
            EXPECT_EQ(rowsWith(dir.path(), folderkey::kBuiltInPassword), (std::vector<int>{0, 0}));
        }
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().extension(),
                      entry.path().filename() == folderkey::kFolderIdFile ? ".txt" : ".mdb");
    }
}

// A folder without data files, or not there at all, is left alone: no key, no id, no journal.
TEST(Rekey, AFolderWithoutDataFilesIsLeftAlone) {
    TempDir dir;
    for (const fs::path& folder : {dir.path(), dir.path() / "データベース"}) {
        SCOPED_TRACE(folder.string());
        bool rekeyed = true;
        std::string error;
        EXPECT_TRUE(folderkey::rekeyFolder(folder, &rekeyed, &error)) << error;
        EXPECT_FALSE(rekeyed);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}
