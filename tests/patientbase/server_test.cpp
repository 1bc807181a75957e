// The register on a data server that stops in the middle of a store. (The calls themselves run
// on both engines in the other suites; a server lost between calls is the data-call layer's.)
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
    EXPECT_EQ(messages, Lines{"Error:RECORDSET.Update"});
    ASSERT_TRUE(server().start());
    EXPECT_EQ(storedStamps(), 0);
    // The next call reconnects and stores.
    ASSERT_EQ(LRecordRIREKI(1, block.c_str()), 0);
    EXPECT_EQ(storedStamps(), 1);
}

}  // namespace
