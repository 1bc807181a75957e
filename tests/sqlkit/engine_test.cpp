// What both engines do alike: values, parameters, order, failures and transactions.
#include "engine_table.h"

namespace {

using namespace std::chrono_literals;
using BothEngines = OnEachEngine<EngineTest>;
INSTANTIATE_ON_BOTH_ENGINES(BothEngines);

TEST_P(BothEngines, EmptyTextsAreNullEveryByteIsKeptAndStatementsRebindAfterReset) {
    const std::string bytes("a\0b\xff\0?", 6);
    sqlkit::Statement put = db->prepare("INSERT INTO t (name, data, n) VALUES (?, ?, ?)");
    ASSERT_TRUE(put.ok()) << put.error();
    put.bindText(1, "").bindBlob(2, "").bindInt(3, 1);
    put.step();
    ASSERT_FALSE(put.failed()) << put.error();
    put.reset();
    put.bindText(1, "名前 'q'").bindBlob(2, bytes).bindInt(3, 5000000000LL);
    put.step();
    ASSERT_FALSE(put.failed()) << put.error();

    sqlkit::Statement read =
        db->prepare("SELECT name, data, n, name IS NULL, data IS NULL FROM t ORDER BY n");
    ASSERT_EQ(read.columnCount(), 5);
    ASSERT_TRUE(read.step());
    EXPECT_TRUE(read.isNull(0));
    EXPECT_EQ(read.text(0), "");
    EXPECT_EQ(read.blob(1), "");
    EXPECT_EQ(read.integer(3) + read.integer(4), 2);  // a truth value reads as 1
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.text(0), "名前 'q'");
    EXPECT_EQ(read.blob(1), bytes);
    EXPECT_EQ(read.integer(2), 5000000000LL);
    EXPECT_FALSE(read.step());
    EXPECT_FALSE(read.failed());
}

TEST_P(BothEngines, AMatchOperandKeepsTheEmptyTextAndQuotedMarksAreNoParameters) {
    ASSERT_TRUE(db->exec("INSERT INTO t (name, n) VALUES ('', 1), (NULL, 2), ('a?', 3), ('b', 4)"));
    sqlkit::Statement s = db->prepare("SELECT " + data.listOf("n") +
                                      " FROM t WHERE name LIKE '%?' OR name = ? OR n = ?");
    ASSERT_TRUE(s.ok()) << s.error();
    s.bindMatch(1, "").bindInt(2, 4);
    ASSERT_TRUE(s.step()) << s.error();
    EXPECT_EQ(s.text(0), "1,3,4");
    // As a stored value the same text is NULL, which matches nothing.
    sqlkit::Statement stored = db->prepare("SELECT count(*) FROM t WHERE name = ?");
    stored.bindText(1, "");
    ASSERT_TRUE(stored.step());
    EXPECT_EQ(stored.integer(0), 0);
}

TEST_P(BothEngines, TheRowKeyNamesRowsAndTheLikeLiteralMatchesItself) {
    ASSERT_TRUE(db->exec("INSERT INTO t (name) VALUES ('b'), ('100%_a\\'), ('100xya\\')"));
    const std::string key(db->dialect().rowKey);
    sqlkit::Statement s = db->prepare("SELECT " + key +
                                      " FROM t WHERE name LIKE '%' || ? || '%' ESCAPE '\\' "
                                      "ORDER BY " +
                                      key);
    ASSERT_TRUE(s.ok()) << s.error();
    s.bindMatch(1, sqlkit::likeLiteral("0%_a\\"));
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.integer(0), 2);
    EXPECT_FALSE(s.step());
}

TEST_P(BothEngines, NullSortsBeforeEveryValue) {
    ASSERT_TRUE(db->exec("INSERT INTO t (name, n) VALUES ('b', 1), (NULL, 2), ('a', 3)"));
    ASSERT_TRUE(db->exec("CREATE UNIQUE INDEX t_name ON t (name, n)")) << db->lastError();
    EXPECT_EQ(first("SELECT n FROM t ORDER BY name, n"), "2");
    EXPECT_EQ(first("SELECT n FROM t ORDER BY name DESC, n"), "1");
    sqlkit::Statement s = db->prepare("SELECT n FROM t ORDER BY name ASC, n LIMIT ?");
    s.bindInt(1, 1);
    ASSERT_TRUE(s.step()) << s.error();
    EXPECT_EQ(s.integer(0), 2);
    if (!data.onServer()) return;
    // The server's index keeps the same order, so a sorted list can walk it.
    EXPECT_NE(first("SELECT indexdef FROM pg_indexes WHERE indexname = 't_name'")
                  .find("name NULLS FIRST, n NULLS FIRST"),
              std::string::npos);
    // A statement ending in the word that starts an index is left as it is.
    EXPECT_FALSE(db->exec("CREATE"));
    EXPECT_NE(db->lastError().find("syntax error"), std::string::npos) << db->lastError();
}

TEST_P(BothEngines, FailuresCarryTheEnginesText) {
    sqlkit::Statement missing = db->prepare("SELECT x FROM nowhere");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find(data.onServer() ? "does not exist" : "no such table"),
              std::string::npos)
        << missing.error();
    EXPECT_FALSE(missing.step());
    EXPECT_TRUE(missing.failed());

    ASSERT_TRUE(db->exec(data.refusal("t", "INSERT"))) << db->lastError();
    sqlkit::Statement refused = db->prepare("INSERT INTO t (n) VALUES (1)");
    EXPECT_FALSE(refused.step());
    EXPECT_TRUE(refused.failed());
    EXPECT_NE(refused.error().find("refused"), std::string::npos) << refused.error();
    EXPECT_FALSE(db->exec("INSERT INTO t (n) VALUES (2)"));
    EXPECT_NE(db->lastError().find("refused"), std::string::npos) << db->lastError();
    EXPECT_EQ(db->lastFault(), sqlkit::Fault::Other);
}

// Statements are kept by their text between uses: a kept one starts without the last user's
// values, and one whose table went away fails as preparing it would have, and is not kept.
TEST_P(BothEngines, AKeptStatementStartsAfreshAndOneWhoseTableWentIsOutdated) {
    ASSERT_TRUE(db->exec("CREATE TABLE gone (n INTEGER); INSERT INTO gone (n) VALUES (1)"))
        << db->lastError();
    const std::string query = "SELECT count(*) FROM gone WHERE n = ? OR ? = 1";
    {
        sqlkit::Statement first = db->prepare(query);
        first.bindInt(1, 5).bindInt(2, 1);
        ASSERT_TRUE(first.step()) << first.error();
        EXPECT_EQ(first.integer(0), 1);
    }
    {
        sqlkit::Statement again = db->prepare(query);
        again.bindInt(1, 5);  // the second value is not the first user's 1, but NULL
        ASSERT_TRUE(again.step()) << again.error();
        EXPECT_EQ(again.integer(0), 0);
    }
    ASSERT_TRUE(db->exec("DROP TABLE gone")) << db->lastError();
    sqlkit::Statement kept = db->prepare(query);
    EXPECT_TRUE(!kept.ok() || (!kept.step() && kept.failed() && kept.outdated()));
    EXPECT_FALSE(db->prepare(query).ok());
}

TEST_P(BothEngines, ATransactionKeepsOnlyWhatItCommitsOnce) {
    {
        sqlkit::Transaction dropped(*db);
        ASSERT_TRUE(dropped.began()) << db->lastError();
        ASSERT_TRUE(insert(*db, 1));
    }
    {
        sqlkit::Transaction kept(*db);
        ASSERT_TRUE(insert(*db, 2));
        EXPECT_TRUE(kept.commit()) << db->lastError();
        EXPECT_FALSE(kept.commit());
    }
    EXPECT_EQ(first("SELECT " + data.listOf("n") + " FROM t"), "2");
}

TEST_P(BothEngines, AWriterWaitsForAnotherAndGivesUpAfterItsWait) {
    auto holder = data.connect();
    db->setBusyWait(50ms);
    {
        sqlkit::Transaction held(*holder);
        ASSERT_TRUE(held.began());
        ASSERT_TRUE(insert(*holder, 1));
        sqlkit::Transaction refused(*db);
        EXPECT_FALSE(refused.began());
        EXPECT_NE(db->lastError().find(data.onServer() ? "lock timeout" : "locked"),
                  std::string::npos)
            << db->lastError();
        EXPECT_EQ(db->lastFault(), sqlkit::Fault::Busy);
        EXPECT_FALSE(refused.commit());
        ASSERT_TRUE(held.commit());
    }
    // The failed start is ended before the next call, which then sees the other's commit.
    ASSERT_TRUE(db->readyForCall(nullptr));
    sqlkit::Transaction t(*db);
    ASSERT_TRUE(t.began()) << db->lastError();
    ASSERT_TRUE(insert(*db, 2));
    ASSERT_TRUE(t.commit());
    EXPECT_EQ(first("SELECT " + data.listOf("n") + " FROM t"), "1,2");
}

}  // namespace
