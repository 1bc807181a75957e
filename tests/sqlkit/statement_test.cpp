#include "sqlkit_fixture.h"

TEST_F(EngineTest, EmptyTextsAndBlobsAreStoredAsNullAndReadBackEmpty) {
    auto c = open();
    sqlkit::Statement insert = c->prepare("INSERT INTO t (name, data, n) VALUES (?, ?, ?)");
    ASSERT_TRUE(insert.ok()) << insert.error();
    insert.bindText(1, "").bindBlob(2, "").bindInt(3, 1);
    insert.step();
    ASSERT_FALSE(insert.failed()) << insert.error();
    EXPECT_EQ(first("SELECT (name IS NULL) || (data IS NULL) FROM t"), "11");

    sqlkit::Statement read = c->prepare("SELECT name, data FROM t");
    ASSERT_TRUE(read.step());
    EXPECT_TRUE(read.isNull(0));
    EXPECT_EQ(read.text(0), "");
    EXPECT_EQ(read.blob(1), "");
}

TEST_F(EngineTest, AMatchOperandKeepsTheEmptyText) {
    ASSERT_TRUE(open()->exec("INSERT INTO t (name, n) VALUES ('', 1), (NULL, 2), ('a', 3)"));
    auto c = open();
    sqlkit::Statement equal = c->prepare("SELECT group_concat(n) FROM t WHERE name = ?");
    equal.bindMatch(1, "");
    ASSERT_TRUE(equal.step());
    EXPECT_EQ(equal.text(0), "1");
    // As a stored value the same text would be NULL, which matches nothing.
    sqlkit::Statement stored = c->prepare("SELECT count(*) FROM t WHERE name = ?");
    stored.bindText(1, "");
    ASSERT_TRUE(stored.step());
    EXPECT_EQ(stored.integer(0), 0);
}

TEST_F(EngineTest, BlobsKeepEveryByteAndStatementsRebindAfterReset) {
    const std::string bytes("a\0b\xff\0", 5);
    auto c = open();
    sqlkit::Statement insert = c->prepare("INSERT INTO t (data, n) VALUES (?, ?)");
    for (long long n : {1LL, 5000000000LL}) {
        insert.reset();
        insert.bindBlob(1, bytes).bindInt(2, n);
        insert.step();
        ASSERT_FALSE(insert.failed()) << insert.error();
    }
    sqlkit::Statement read = c->prepare("SELECT data, n FROM t ORDER BY n");
    ASSERT_EQ(read.columnCount(), 2);
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.blob(0), bytes);
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.integer(1), 5000000000LL);
    EXPECT_FALSE(read.step());
    EXPECT_FALSE(read.failed());
}

TEST_F(EngineTest, FailuresCarryTheEnginesText) {
    auto c = open();
    sqlkit::Statement missing = c->prepare("SELECT x FROM nowhere");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("no such table"), std::string::npos) << missing.error();
    EXPECT_FALSE(missing.step());
    EXPECT_TRUE(missing.failed());

    ASSERT_TRUE(
        c->exec("CREATE TRIGGER refuse BEFORE INSERT ON t "
                "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    sqlkit::Statement insert = c->prepare("INSERT INTO t (n) VALUES (1)");
    EXPECT_FALSE(insert.step());
    EXPECT_TRUE(insert.failed());
    EXPECT_EQ(insert.error(), "disk full");
    EXPECT_FALSE(c->exec("INSERT INTO t (n) VALUES (2)"));
    EXPECT_EQ(c->lastError(), "disk full");
}

TEST_F(EngineTest, TheDialectNamesTheRowKeyAndTheLikeLiteralMatchesItself) {
    ASSERT_TRUE(open()->exec("INSERT INTO t (name) VALUES ('b'), ('100%_a\\'), ('100xya\\')"));
    auto c = open();
    const std::string key(c->dialect().rowKey);
    sqlkit::Statement s = c->prepare("SELECT " + key +
                                     " FROM t WHERE name LIKE '%' || ? || '%' "
                                     "ESCAPE '\\' ORDER BY " +
                                     key);
    ASSERT_TRUE(s.ok()) << s.error();
    s.bindMatch(1, sqlkit::likeLiteral("0%_a\\"));
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.integer(0), 2);
    EXPECT_FALSE(s.step());
}
