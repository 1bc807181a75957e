#include <fstream>

#include "sqlkit_fixture.h"

TEST_F(EngineTest, AWrongPasswordOrAFileThatIsNoDatabaseDoesNotOpen) {
    std::string error;
    EXPECT_FALSE(sqlkit::openEncrypted(file(), "another", &error));
    EXPECT_EQ(error, "file is encrypted or is not a database");

    for (const std::string content : {"short", "not a database, but longer than a salt"}) {
        const auto other = dir.path() / "other.db";
        std::ofstream(other, std::ios::binary) << content;
        error.clear();
        EXPECT_FALSE(sqlkit::openEncrypted(other, kPassword, &error)) << content;
        EXPECT_EQ(error, "file is encrypted or is not a database") << content;
    }
    error.clear();
    EXPECT_FALSE(sqlkit::openEncrypted(dir.path() / "missing.db", kPassword, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(EngineTest, CreatingOverAnExistingFileIsRefusedAndLeavesItAsItWas) {
    ASSERT_TRUE(open()->exec("INSERT INTO t (n) VALUES (7)"));
    std::string error;
    EXPECT_FALSE(sqlkit::createEncrypted(file(), kPassword, "CREATE TABLE u (x)", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(first("SELECT n FROM t"), "7");

    // A schema the engine refuses leaves no file, not even a partial one.
    const auto bad = dir.path() / "bad.db";
    EXPECT_FALSE(sqlkit::createEncrypted(bad, kPassword, "CREATE TABLE (", &error));
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_FALSE(std::filesystem::exists(bad.string() + ".partial"));
}

TEST(Engine, TheLinkedSqliteEncrypts) {
    EXPECT_TRUE(sqlkit::cipherAvailable());
}
