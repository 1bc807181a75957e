// Two processes on one patient file at the same time, as two programs on a shared folder.
#include "patient_fixture.h"
#include "processes.h"

TEST_F(PatientFileTest, HistoryStoresOfTwoProgramsAllLand) {
    create(1, "共有");
    const auto [child, parent] = inTwoProcesses([](bool child) {
        int stored = 0;
        for (int i = 0; i < 8; ++i) {
            const std::string text = historyBlock((child ? "C" : "P") + std::to_string(i));
            stored += LRecordRIREKI(1, text.c_str()) == 0;
        }
        return stored;
    });
    EXPECT_EQ(child, 8);
    EXPECT_EQ(parent, 8);
    std::string tags = "SELECT count(DISTINCT tag) FROM (";
    for (int slot = 0; slot < 20; ++slot)
        tags += (slot ? " UNION ALL " : "") + std::string("SELECT substr(CAST(INFO") +
                std::to_string(slot) + " AS TEXT), 1, 2) AS tag FROM Patient_Information";
    EXPECT_EQ(stored(tags + ")"), "16");
}

TEST_F(PatientFileTest, TwoProgramsRegisteringTheSameIdsGetEachIdOnce) {
    const auto [child, parent] = inTwoProcesses([](bool child) {
        int added = 0;
        for (int id = 1; id <= 60; ++id) {
            const PatientRecord r = patient(id, child ? "子" : "親");
            added += LRecordCreate(&r) == 0;
        }
        return added;
    });
    EXPECT_EQ(child + parent, 60);
    EXPECT_EQ(stored("SELECT count(*) || '/' || count(DISTINCT ID) FROM Patient_Information"),
              "60/60");
}

TEST_F(PatientFileTest, ThreeProgramsStoringHistoriesAtOnceAllLand) {
    for (int id = 1; id <= 3; ++id) create(id, "患者" + std::to_string(id));
    constexpr int kStores = 500;
    const std::vector<int> failed = inProcesses(3, [](int n) {
        int failures = 0;
        for (int i = 0; i < kStores; ++i) {
            const std::string text = historyBlock(std::to_string(n) + "-" + std::to_string(i));
            failures += LRecordRIREKI(n + 1, text.c_str()) != 0;
        }
        return std::min(failures, 255);
    });
    EXPECT_EQ(failed, std::vector<int>(3, 0));
    EXPECT_TRUE(messages.list.empty());
}
