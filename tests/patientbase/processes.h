// Several processes working at the same time, as several programs on shared data.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

// Runs `work(n)` for n = 0 .. count - 1 at the same time, n = 0 in this process and the others
// in children of a fork; gives what each returned (a child's as its exit status, so 0 to 255).
inline std::vector<int> inProcesses(int count, const std::function<int(int n)>& work) {
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
