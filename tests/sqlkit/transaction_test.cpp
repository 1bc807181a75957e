#include <chrono>

#include "sqlkit_fixture.h"

using namespace std::chrono_literals;

TEST_F(EngineTest, AnUncommittedTransactionRollsBackWhenItEnds) {
    auto c = open();
    {
        sqlkit::Transaction t(*c);
        ASSERT_TRUE(t.began());
        ASSERT_TRUE(c->exec("INSERT INTO t (n) VALUES (1)"));
    }
    EXPECT_EQ(first("SELECT count(*) FROM t"), "0");
    {
        sqlkit::Transaction t(*c);
        ASSERT_TRUE(c->exec("INSERT INTO t (n) VALUES (2)"));
        EXPECT_TRUE(t.commit());
        EXPECT_FALSE(t.commit());  // once only
    }
    EXPECT_EQ(first("SELECT group_concat(n) FROM t"), "2");
}

TEST_F(EngineTest, AWriterWaitsForAnotherConnectionsLockAndFailsWhenItIsKept) {
    auto holder = open();
    auto waiter = open();
    waiter->setBusyWait(50ms);
    {
        sqlkit::Transaction held(*holder);
        ASSERT_TRUE(held.began());
        ASSERT_TRUE(holder->exec("INSERT INTO t (n) VALUES (1)"));
        sqlkit::Transaction refused(*waiter);
        EXPECT_FALSE(refused.began());
        EXPECT_NE(waiter->lastError().find("locked"), std::string::npos) << waiter->lastError();
        EXPECT_FALSE(refused.commit());
        ASSERT_TRUE(held.commit());
    }
    // Once the lock is given up the writer gets it, and sees what the other one committed.
    sqlkit::Transaction t(*waiter);
    ASSERT_TRUE(t.began()) << waiter->lastError();
    ASSERT_TRUE(waiter->exec("INSERT INTO t (n) VALUES (2)"));
    ASSERT_TRUE(t.commit());
    EXPECT_EQ(first("SELECT group_concat(n) FROM t"), "1,2");
}

TEST_F(EngineTest, ABulkWriteKeepsItsChangesInMemoryUntilItsCommit) {
    auto writer = open();
    ASSERT_TRUE(writer->exec(writer->dialect().bulkWrite));
    ASSERT_TRUE(writer->exec("PRAGMA cache_size = 20"));  // far fewer pages than it writes
    auto reader = open();
    reader->setBusyWait(0ms);
    sqlkit::Transaction t(*writer);
    sqlkit::Statement insert = writer->prepare("INSERT INTO t (data) VALUES (?)");
    for (int i = 0; i < 200; ++i) {
        insert.reset();
        insert.bindBlob(1, std::string(4000, 'b'));
        insert.step();
        ASSERT_FALSE(insert.failed()) << insert.error();
    }
    {
        // A reader that does not wait at all still reads, and sees the file before the write.
        sqlkit::Statement count = reader->prepare("SELECT count(*) FROM t");
        ASSERT_TRUE(count.step()) << count.error();
        EXPECT_EQ(count.integer(0), 0);
    }
    ASSERT_TRUE(t.commit()) << writer->lastError();
    EXPECT_EQ(first("SELECT count(*) FROM t"), "200");
}
