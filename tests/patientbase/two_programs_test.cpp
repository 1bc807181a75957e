// Two processes on one patient file at the same time, as two programs on a shared folder.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "patient_fixture.h"

namespace {

// Runs `work` in the child of a fork and in this process at the same time; gives what each
// reported as its count of successful calls.
std::pair<int, int> inTwoProcesses(const std::function<int(bool child)>& work) {
    int ready[2];
    if (pipe(ready) != 0) return {-1, -1};
    const pid_t pid = fork();
    if (pid == 0) {
        char go;
        close(ready[1]);
        if (read(ready[0], &go, 1) != 1) _exit(255);
        _exit(work(true));
    }
    close(ready[0]);
    if (write(ready[1], "g", 1) != 1) return {-1, -1};  // both start now
    close(ready[1]);
    const int mine = work(false);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, mine};
}

}  // namespace

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
