// What only the encrypted files do: keys, creation and bulk writes.
#include <fstream>

#include "engine_table.h"

namespace {

using namespace std::chrono_literals;
using Files = EngineTest;

TEST_F(Files, AWrongPasswordOrAFileThatIsNoDatabaseDoesNotOpen) {
    TempDir other;
    std::ofstream(other.path() / "short.db") << "short";
    std::ofstream(other.path() / "long.db") << "not a database, but longer than a salt";
    const std::pair<std::filesystem::path, const char*> cases[] = {
        {data.file(), "another"},
        {other.path() / "short.db", kPassword},
        {other.path() / "long.db", kPassword}};
    for (const auto& [file, password] : cases) {
        std::string error;
        EXPECT_FALSE(sqlkit::openEncrypted(file, password, &error)) << file;
        EXPECT_EQ(error, "file is encrypted or is not a database") << file;
    }
    std::string error;
    EXPECT_FALSE(sqlkit::openEncrypted(other.path() / "missing.db", kPassword, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(sqlkit::cipherAvailable());
}

TEST_F(Files, CreatingOverAnExistingFileIsRefusedAndABadSchemaLeavesNoFile) {
    ASSERT_TRUE(insert(*db, 7));
    std::string error;
    EXPECT_FALSE(sqlkit::createEncrypted(data.file(), kPassword, "CREATE TABLE u (x)", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(first("SELECT n FROM t"), "7");
    const auto bad = data.path() / "bad.db";
    EXPECT_FALSE(sqlkit::createEncrypted(bad, kPassword, "CREATE TABLE (", &error));
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_FALSE(std::filesystem::exists(bad.string() + ".partial"));
}

TEST_F(Files, ABulkWriteKeepsItsChangesInMemoryUntilItsCommit) {
    ASSERT_TRUE(db->exec(db->dialect().bulkWrite));
    ASSERT_TRUE(db->exec("PRAGMA cache_size = 20"));  // far fewer pages than it writes
    auto reader = data.connect();
    reader->setBusyWait(0ms);
    sqlkit::Transaction t(*db);
    sqlkit::Statement put = db->prepare("INSERT INTO t (data) VALUES (?)");
    for (int i = 0; i < 200; ++i) {
        put.reset();
        put.bindBlob(1, std::string(4000, 'b'));
        put.step();
        ASSERT_FALSE(put.failed()) << put.error();
    }
    {
        // A reader that does not wait at all still reads, and sees the file before the write.
        sqlkit::Statement count = reader->prepare("SELECT count(*) FROM t");
        ASSERT_TRUE(count.step()) << count.error();
        EXPECT_EQ(count.integer(0), 0);
    }
    ASSERT_TRUE(t.commit()) << db->lastError();
    EXPECT_EQ(first("SELECT count(*) FROM t"), "200");
}

}  // namespace
