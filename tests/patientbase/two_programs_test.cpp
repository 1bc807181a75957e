// Several programs on one register at the same time, as terminals on a shared folder or on one
// server. The library connects at a call's start and no call runs before the fork, so no two
// processes share a connection.
#include "patient_fixture.h"
#include "processes.h"

TEST_P(RegisterTest, HistoryStoresOfThreeProgramsForTheSamePatientsAllLand) {
    run("INSERT INTO Patient_Information (ID, PATIENT) VALUES (1, 'a'), (2, 'b')");
    constexpr int kStores = 6;  // per program and patient: 18 of the 20 slots
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
    EXPECT_TRUE(messages.empty());
    // Every store of every program has a slot of its own and a stamp of its own.
    std::string tags;
    for (int slot = 0; slot < 20; ++slot)
        tags += (slot ? " UNION ALL " : "") + std::string("SELECT ID, substr(INFO") +
                std::to_string(slot) + ", 1, 6) AS tag, N" + std::to_string(slot) +
                " AS stamp FROM Patient_Information";
    EXPECT_EQ(
        stored("SELECT " + data.listOf("n") +
               " FROM (SELECT count(DISTINCT tag) || '/' || count(DISTINCT stamp) AS n FROM (" +
               tags + ") AS slots GROUP BY ID) AS counts"),
        "18/18,18/18");
}

TEST_P(RegisterTest, TwoProgramsRegisteringTheSameIdsGetEachIdOnce) {
    const std::vector<int> added = inProcesses(2, [](int n) {
        int count = 0;
        for (int id = 1; id <= 40; ++id) {
            const PatientRecord r = patient(id, n ? "子" : "親");
            count += LRecordCreate(&r) == 0;
        }
        return count;
    });
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[0] + added[1], 40);
    EXPECT_EQ(stored("SELECT count(*) || '/' || count(DISTINCT ID) FROM Patient_Information"),
              "40/40");
}

TEST_P(RegisterTest, ACheckedStoreSaidDoneIsThereWhileAnotherProgramRenumbersThePatient) {
    run("INSERT INTO Patient_Information (ID, PATIENT) VALUES (1, 'a')");
    constexpr int kRounds = 18;
    const std::vector<int> results = inProcesses(2, [](int n) {
        int stored = 0;
        for (int i = 0; i < kRounds; ++i) {
            if (n == 1) {  // moves the patient to ID 2 and back
                const PatientRecord away = patient(2, "a"), back = patient(1, "a");
                stored += LRecordEdit(&away, 1) == 0 && LRecordEdit(&back, 2) == 0;
                continue;
            }
            const std::string text = historyBlock("S" + std::to_string(i));
            stored += LRecordRIREKIChecked(1, "a", text.c_str()) == PATIENTBASE_OK;
        }
        return stored;
    });
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1], kRounds) << "every renumbering went through";
    std::string used;
    for (int slot = 0; slot < 20; ++slot)
        used += (slot ? " + " : "") + std::string("CASE WHEN N") + std::to_string(slot) +
                " IS NULL THEN 0 ELSE 1 END";
    EXPECT_EQ(stored("SELECT " + used + " FROM Patient_Information"), std::to_string(results[0]));
}
