// Runs a program of the build as its own process, for whole-process timings.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bench {

// Runs `program` with `args` and waits for it; true when it exits with 0, else false with what
// it wrote on its error output (or why it did not start) on `err`.
bool runProgram(const std::string& program, const std::vector<std::string>& args,
                std::ostream& err);

}  // namespace bench
