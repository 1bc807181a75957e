// The register and history calls on a data server give what they give on a file: the same
// calls run on a fresh file and on a fresh server database, and their results are compared.
#include <fstream>

#include "dbcall/session.h"
#include "patient_fixture.h"
#include "pg_server.h"
#include "processes.h"

namespace {

constexpr const char* kPassword = "HN%tPQS";

// Lines recording what a series of calls returned, listed and stored; `db` reaches the same
// data directly, to plant a stamp of a known time and to read the stored blocks.
Lines runCalls(sqlkit::Connection& db) {
    Lines out;
    const auto note = [&](const std::string& what, int result) {
        out.push_back(what + "=" + std::to_string(result));
    };
    for (const auto& [id, name] : {std::pair{5, "薬歴 太郎"}, {3, "山田 花子"}, {8, ""}}) {
        const PatientRecord r = patient(id, name);
        note("create", LRecordCreate(&r));
    }
    const PatientRecord again = patient(5, "二重");
    note("create-taken", LRecordCreate(&again));
    note("proposed-id", LRecordCreateID());
    note("taken", LRecordID_cyoufuku(5));
    note("free", LRecordID_cyoufuku(4));
    for (int byName : {0, 1}) {
        ViewCollector view;
        note("display", LRecordDisplay(byName, &view.sink));
        out.insert(out.end(), view.rows.begin(), view.rows.end());
    }
    PatientRecord back{};
    note("detail", LRecordDetail(&back, "", 3, 1));
    out.push_back(utf8(back.PATIENT));

    const std::string first = historyBlock("1124017F1020"), second = historyBlock("2149039F1030");
    note("store", LRecordRIREKI(5, first.c_str()));
    note("store", LRecordRIREKI(5, second.c_str()));
    sqlkit::Statement blocks = db.prepare(
        "SELECT INFO0, INFO1, INFO2 FROM Patient_Information "
        "WHERE ID = ?");
    blocks.bindInt(1, 5);
    EXPECT_TRUE(blocks.step()) << blocks.error();
    out.push_back(std::to_string(blocks.blob(0) == first) +
                  std::to_string(blocks.blob(1) == second) + std::to_string(blocks.isNull(2)));
    blocks.reset();  // a file stays locked for writers while a read is open

    sqlkit::Statement plant = db.prepare(
        "UPDATE Patient_Information SET N5 = '2009-03-07 09:05:03', INFO5 = ? "
        "WHERE ID = 5");
    const std::string morning = historyBlock("MORNING");
    plant.bindBlob(1, morning);
    plant.step();
    EXPECT_FALSE(plant.failed()) << plant.error();
    ListCollector dates;
    note("dates", LRecordRIREKIDate(5, &dates.sink));
    out.push_back(std::to_string(dates.items.size()) + " " + dates.items.back());
    std::string recalled(kBlock + 1, '#');
    note("recall", LRecordRIREKIDisplay(5, "2009/03/07 09:05:03", recalled.data()));
    out.push_back(std::to_string(recalled.c_str() == morning));
    note("delete", LRecordRIREKIDELL(5, "2009/03/07 9:05:03"));
    ListCollector left;
    note("dates", LRecordRIREKIDate(5, &left.sink));
    out.push_back(std::to_string(left.items.size()));
    note("delete-patient", LRecordDell(3));
    return out;
}

class RegisterOnServer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
        conninfo = testServer().freshDatabase();
        std::string error;
        server = sqlkit::openServer(conninfo, &error);
        ASSERT_TRUE(server) << error;
        ASSERT_TRUE(patientbase::createPatientTables(*server, &error)) << error;
        std::ofstream(serverDir.path() / dbcall::kServerFileName) << conninfo << "\n";
        ASSERT_TRUE(patientbase::createPatientDatabase(fileDir.path(), &error)) << error;
    }
    void TearDown() override { LRecordClose(); }

    TempDir fileDir, serverDir;
    std::string conninfo;
    sqlkit::ConnectionPtr server;
    MessageCollector messages;
};

TEST_F(RegisterOnServer, TheCallsGiveWhatTheyGiveOnAFile) {
    ASSERT_EQ(LRecordOpen(fileDir.path().string().c_str(), nullptr), 0);
    auto file = sqlkit::openEncrypted(fileDir.path() / "患者ファイル.mdb", kPassword, nullptr);
    ASSERT_TRUE(file);
    const Lines onFile = runCalls(*file);
    const Lines fileMessages = messages.list;
    messages.list.clear();
    ASSERT_EQ(LRecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    const Lines onServer = runCalls(*server);
    EXPECT_EQ(onServer, onFile);
    EXPECT_EQ(messages.list, fileMessages);
    EXPECT_EQ(fileMessages.size(), 1u);  // the duplicate ID
}

TEST_F(RegisterOnServer, ALostConnectionFailsOneCallWithoutAHalfWriteAndTheNextReconnects) {
    ASSERT_EQ(LRecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    const PatientRecord r = patient(1, "接続 試験");
    ASSERT_EQ(LRecordCreate(&r), 0);
    // Every session of the library on the server is ended, as a restart of the server would;
    // the wait lets the ended sessions close before the next call.
    ASSERT_TRUE(
        server->exec("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE "
                     "datname = current_database() AND pid <> pg_backend_pid()"));
    const std::string block = historyBlock("LOST");
    ListCollector dates;
    EXPECT_EQ(LRecordRIREKIDate(1, &dates.sink), 0);  // reconnected before the call
    ASSERT_TRUE(testServer().stop());
    EXPECT_EQ(LRecordRIREKI(1, block.c_str()), PATIENTBASE_DB_FAILURE);
    EXPECT_EQ(messages.list, Lines{"Error:DATABASE.Open"});
    ASSERT_TRUE(testServer().start());
    std::string error;
    server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server) << error;
    sqlkit::Statement stored = server->prepare("SELECT count(N0) FROM Patient_Information");
    ASSERT_TRUE(stored.step()) << stored.error();
    EXPECT_EQ(stored.integer(0), 0);
    ASSERT_EQ(LRecordRIREKI(1, block.c_str()), 0);
    EXPECT_EQ(LRecordRIREKIDate(1, &dates.sink), 0);
    EXPECT_EQ(dates.items.size(), 1u);
}

// Each process makes its own connection at its first call: the library has made none before
// the fork, so no two processes share one.
TEST_F(RegisterOnServer, ThreeTerminalsStoringForTheSamePatientsLoseNothing) {
    ASSERT_TRUE(
        server->exec("INSERT INTO Patient_Information (ID, PATIENT) VALUES (1, 'a'), "
                     "(2, 'b')"));
    ASSERT_EQ(LRecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    constexpr int kStores = 6;  // per process and patient: 18 of the 20 slots
    const std::vector<int> failed = inProcesses(3, [](int n) {
        int failures = 0;
        for (int i = 0; i < kStores; ++i)
            for (int id : {1, 2}) {
                const std::string text = historyBlock(std::to_string(n) + "-" + std::to_string(i));
                failures += LRecordRIREKI(id, text.c_str()) != 0;
            }
        return std::min(failures, 255);
    });
    EXPECT_EQ(failed, std::vector<int>(3, 0));
    EXPECT_TRUE(messages.list.empty());
    // Every store of every terminal has a slot of its own.
    std::string tags = "(";
    for (int slot = 0; slot < 20; ++slot)
        tags += (slot ? " UNION ALL " : "") + std::string("SELECT ID, substr(INFO") +
                std::to_string(slot) + ", 1, 6) AS tag FROM Patient_Information";
    sqlkit::Statement perPatient = server->prepare(
        "SELECT string_agg(n::text, ',') FROM (SELECT count(DISTINCT tag) AS n FROM " + tags +
        ") AS slots GROUP BY ID) AS counts");
    ASSERT_TRUE(perPatient.step()) << perPatient.error();
    EXPECT_EQ(perPatient.text(0), "18,18");
}

TEST_F(RegisterOnServer, TwoTerminalsRegisteringTheSameIdsGetEachIdOnce) {
    ASSERT_EQ(LRecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    const auto [child, parent] = inTwoProcesses([](bool child) {
        int added = 0;
        for (int id = 1; id <= 40; ++id) {
            const PatientRecord r = patient(id, child ? "子" : "親");
            added += LRecordCreate(&r) == 0;
        }
        return added;
    });
    EXPECT_EQ(child + parent, 40);
    sqlkit::Statement count =
        server->prepare("SELECT count(*) || '/' || count(DISTINCT ID) FROM Patient_Information");
    ASSERT_TRUE(count.step()) << count.error();
    EXPECT_EQ(count.text(0), "40/40");
}

}  // namespace
