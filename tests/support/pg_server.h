// A throw-away PostgreSQL 15 server for the tests: a cluster made with initdb in a temporary
// folder, listening only on a Unix socket there, stopped and removed at the end. initdb refuses
// to run as root, so as root the server runs as the system's "postgres" user.
#pragma once

#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir.h"

class PgServer {
  public:
    PgServer() {
        const char* given = std::getenv("PG_BINDIR");
        bin_ = given ? given : "/usr/lib/postgresql/15/bin";
        if (!std::filesystem::exists(bin_ / "initdb") ||
            !std::filesystem::exists(bin_ / "pg_ctl")) {
            problem_ = "PostgreSQL 15 server programs not found in " + bin_.string() +
                       " (install postgresql-15 or set PG_BINDIR)";
            return;
        }
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user) {
                problem_ = "running as root without a postgres user to run the server as";
                return;
            }
            // The server's user must own its folder and reach it.
            if (chown(dir_.path().c_str(), user->pw_uid, user->pw_gid) != 0) {
                problem_ = "cannot hand the server folder to the postgres user";
                return;
            }
            asUser_ = "runuser -u postgres -- ";
        }
        if (!run("initdb -D " + data() + " -A trust -U postgres -E UTF8 --locale=C --no-sync") ||
            !start()) {
            problem_ = "the test server did not start; see " + (dir_.path() / "log").string();
            return;
        }
        running_ = true;
    }
    ~PgServer() {
        if (running_) stop();
    }
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Empty when the server runs; otherwise why it does not.
    const std::string& problem() const { return problem_; }

    bool start() {
        running_ = run("pg_ctl -D " + data() + " -l " + (dir_.path() / "log").string() +
                       " -w -o \"-h '' -k " + dir_.path().string() + " -c fsync=off\" start");
        return running_;
    }
    bool stop() {
        running_ = !run("pg_ctl -D " + data() + " -m fast -w stop");
        return !running_;
    }

    std::string conninfo(const std::string& database = "postgres") const {
        return "host=" + dir_.path().string() + " port=5432 user=postgres dbname=" + database;
    }

    // A new empty database; its connection string.
    std::string freshDatabase() {
        static std::atomic<int> count{0};
        const std::string name = "test_" + std::to_string(++count);
        run("psql -q -X -h " + dir_.path().string() +
            " -U postgres -d postgres -c 'CREATE DATABASE " + name + "'");
        return conninfo(name);
    }

  private:
    std::string data() const { return (dir_.path() / "data").string(); }
    bool run(const std::string& command) const {
        const std::string line = asUser_ + (bin_ / command).string() + " >>" +
                                 (dir_.path() / "commands.log").string() + " 2>&1";
        return std::system(line.c_str()) == 0;
    }

    TempDir dir_;
    std::filesystem::path bin_;
    std::string asUser_;
    std::string problem_;
    bool running_ = false;
};

// One server for all tests of a program, started by the first test that needs it.
inline PgServer& testServer() {
    static PgServer server;
    return server;
}
