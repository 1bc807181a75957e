// The register on a data server when the server goes away between two calls or in the middle
// of one. (The calls themselves run on both engines in the other suites.)
#include <thread>

#include "patient_fixture.h"

namespace {

class RegisterOnServer : public PatientFileTest {
  protected:
    Engine engine() const override { return Engine::Server; }
    PgServer& server() const override { return ownServer(); }  // stopped by the tests

    long long storedStamps() const {
        return std::stoll(stored("SELECT count(N0) + count(N1) FROM Patient_Information"));
    }
};

TEST_F(RegisterOnServer, ALostConnectionFailsOneCallWithoutAHalfWriteAndTheNextReconnects) {
    create(1, "接続 試験");
    // Every session of the library on the server is ended, as a restart of the server would;
    // the wait lets the ended sessions close before the next call.
    run("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE "
        "datname = current_database() AND pid <> pg_backend_pid()");
    const std::string block = historyBlock("LOST");
    ListCollector dates;
    EXPECT_EQ(LRecordRIREKIDate(1, &dates.sink), 0);  // reconnected before the call
    ASSERT_TRUE(server().stop());
    EXPECT_EQ(LRecordRIREKI(1, block.c_str()), PATIENTBASE_DB_FAILURE);
    EXPECT_EQ(messages.list, Lines{"Error:DATABASE.Open"});
    ASSERT_TRUE(server().start());
    EXPECT_EQ(storedStamps(), 0);
    ASSERT_EQ(LRecordRIREKI(1, block.c_str()), 0);
    EXPECT_EQ(LRecordRIREKIDate(1, &dates.sink), 0);
    EXPECT_EQ(dates.items.size(), 1u);
}

TEST_F(RegisterOnServer, AServerStoppedDuringAStoreFailsItAndStoresNothing) {
    create(1, "停止 試験");
    // Another terminal holds the writers' lock, so the store waits inside its call; the server
    // stops while it waits.
    auto other = data.connect();
    sqlkit::Transaction holding(*other);
    ASSERT_TRUE(holding.began()) << other->lastError();
    std::thread stopper([&] {
        auto watcher = data.connect();
        for (;;) {
            sqlkit::Statement waiting = watcher->prepare(
                "SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND "
                "datname = current_database()");
            if (!waiting.step() || waiting.integer(0) > 0) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        server().stop();
    });
    const std::string block = historyBlock("STOPPED");
    EXPECT_EQ(LRecordRIREKI(1, block.c_str()), PATIENTBASE_DB_FAILURE);
    stopper.join();
    EXPECT_EQ(messages.list, Lines{"Error:RECORDSET.Update"});
    ASSERT_TRUE(server().start());
    EXPECT_EQ(storedStamps(), 0);
    // The next call reconnects and stores.
    ASSERT_EQ(LRecordRIREKI(1, block.c_str()), 0);
    EXPECT_EQ(storedStamps(), 1);
}

}  // namespace
