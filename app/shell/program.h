// The program from start-up to shutdown.
#pragma once

#include <filesystem>

namespace shell {

// Starts on the program folder `folder`, runs the main window until it closes and shuts down.
// Returns the exit code (0, also when start-up ends the program).
int runProgram(const std::filesystem::path& folder);

}  // namespace shell
