// The program from start-up to shutdown.
#pragma once

#include <filesystem>

namespace shell {

struct ProgramOptions {
    // End as soon as the main window with its drug list has been painted (start-up timing,
    // and a check that the program starts at all).
    bool quitWhenShown = false;
};

// Starts on the program folder `folder`, runs the main window until it closes and shuts down.
// Returns the exit code (0, also when start-up ends the program).
int runProgram(const std::filesystem::path& folder, ProgramOptions options = {});

}  // namespace shell
