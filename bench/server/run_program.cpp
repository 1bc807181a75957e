#include "run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

extern char** environ;

namespace bench {

bool runProgram(const std::string& program, const std::vector<std::string>& args,
                std::ostream& err) {
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    // Its error output goes to a file, read back only when it failed.
    char said[] = "/tmp/leafletdesk-bench-XXXXXX";
    const int saidFd = mkstemp(said);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (saidFd >= 0) posix_spawn_file_actions_adddup2(&actions, saidFd, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    const bool ran = started == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
                     WEXITSTATUS(status) == 0;
    if (saidFd >= 0) close(saidFd);
    if (!ran) {
        err << (started == 0 ? "" : program + ": cannot start\n") << std::ifstream(said).rdbuf();
    }
    std::remove(said);
    return ran;
}

}  // namespace bench
