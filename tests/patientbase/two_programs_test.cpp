// Two processes on one patient file at the same time, as two programs on a shared folder.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "patient_fixture.h"

namespace {

// Runs `work(n)` for n = 0 .. count - 1 at the same time, n = 0 in this process and the others
// in children of a fork; gives what each returned (a child's as its exit status, so 0 to 255).
std::vector<int> inProcesses(int count, const std::function<int(int n)>& work) {
    int ready[2];
    if (pipe(ready) != 0) return {};
    std::vector<pid_t> children;
    for (int n = 1; n < count; ++n) {
        const pid_t pid = fork();
        if (pid == 0) {
            char go;
            close(ready[1]);
            if (read(ready[0], &go, 1) != 1) _exit(255);
            _exit(work(n));
        }
        children.push_back(pid);
    }
    close(ready[0]);
    const std::string go(children.size(), 'g');
    if (write(ready[1], go.data(), go.size()) != static_cast<ssize_t>(go.size())) return {};
    close(ready[1]);  // all start now
    std::vector<int> results = {work(0)};
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        results.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return results;
}

// The same for two: gives (the child's result, this process's result).
std::pair<int, int> inTwoProcesses(const std::function<int(bool child)>& work) {
    const std::vector<int> r = inProcesses(2, [&](int n) { return work(n == 1); });
    return r.size() == 2 ? std::pair(r[1], r[0]) : std::pair(-1, -1);
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
