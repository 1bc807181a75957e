// Running PostgreSQL's own client programs (pg_dump, pg_restore) as child processes.
#pragma once

#include <string>
#include <vector>

namespace dataserver {

// The path to start the client program `name` with: in the folder LEAFLET_PG_BINDIR names when
// it is set (a newer client than the system's), else the bare name, looked up on PATH.
std::string clientProgram(const std::string& name);

// Runs arguments[0] with the arguments, without a shell, so no argument is ever read as shell
// text. Its output and error output together go to `output`. The exit status; -1 when the
// program could not be started (with the reason in `output`), -2 when it ended by a signal.
int runProgram(const std::vector<std::string>& arguments, std::string* output);

// The major version a client program's --version line names ("pg_dump (PostgreSQL) 15.18"):
// 15; 0 when the text names none.
int majorVersionOf(const std::string& versionLine);

}  // namespace dataserver
