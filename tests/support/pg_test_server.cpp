// Starts ("start FOLDER") or stops and removes ("stop FOLDER") the throw-away data server that
// the test programs run by ctest share. Without the server programs it says why and succeeds:
// the server tests then skip with the same reason.
#include <cstdio>
#include <string>

#include "pg_server.h"

int main(int argc, char** argv) {
    const std::string command = argc == 3 ? argv[1] : "";
    if (command != "start" && command != "stop") {
        std::fprintf(stderr, "usage: pg_test_server start|stop FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    if (command == "stop") {
        if (PgServer::runsIn(folder) && !PgServer(folder).stop()) return 1;
        std::filesystem::remove_all(folder);
        return 0;
    }
    PgServer server(folder);
    if (!server.problem().empty()) std::printf("no shared server: %s\n", server.problem().c_str());
    return 0;
}
