// Writes the seeds of a fuzz target as files into a folder, for libFuzzer's corpus.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz_seeds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_seeds TARGET FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);
    int n = 0;
    for (const std::string& seed : fuzzseeds::seeds(argv[1]))
        std::ofstream(folder / ("seed-" + std::to_string(n++)), std::ios::binary) << seed;
    return n ? 0 : 1;
}
