// Runs a fuzz target without libFuzzer, for ctest with any compiler: every seed, then inputs
// mutated from them by a fixed-seed generator until the time budget (seconds, argv[1]) is
// spent. A crash or a sanitizer report fails the test.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "fuzz_seeds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void runOne(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// One to four edits, each one of: flip a byte, insert bytes, drop a stretch, cut the end, copy a
// stretch elsewhere.
std::string mutate(std::string s, std::mt19937& rng) {
    for (int edits = 1 + rng() % 4; edits > 0; --edits) {
        const std::size_t at = s.empty() ? 0 : rng() % s.size();
        const int kind = rng() % 5;
        if (kind == 0 && !s.empty()) s[at] = static_cast<char>(rng());
        if (kind == 1) s.insert(at, std::string(1 + rng() % 8, static_cast<char>(rng())));
        if (kind == 2) s.erase(at, rng() % 16);
        if (kind == 3) s.resize(at);
        if (kind == 4 && !s.empty()) s.insert(rng() % s.size(), s.substr(at, rng() % 64));
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const std::vector<std::string> seeds = fuzzseeds::seeds(FUZZ_TARGET);
    if (seeds.empty()) {
        std::cerr << "no seeds for " << FUZZ_TARGET << "\n";
        return 1;
    }
    for (const std::string& s : seeds) runOne(s);
    std::mt19937 rng(20240601);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        runOne(mutate(seeds[rng() % seeds.size()], rng));
        ++runs;
    }
    std::cout << FUZZ_TARGET << ": " << seeds.size() << " seeds, " << runs << " mutated inputs\n";
    return 0;
}
