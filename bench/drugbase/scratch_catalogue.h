// A private copy of the synthetic 40,000-drug catalogue that benchmarks may change, with a
// program folder around it for photographs and an import folder for K3 files.
#pragma once

#include <filesystem>

namespace bench {

struct Scratch {
    std::filesystem::path program;   // the program folder (photographs under 薬剤写真)
    std::filesystem::path database;  // program / データベース, opened with RecordOpen
    std::filesystem::path imports;   // the import folder, set with RecordSetImportFolder
};

// Copies the cached synthetic catalogue of `count` drugs once per process into a fresh
// folder, opens it with RecordOpen and sets the import folder.
const Scratch& scratchCatalogue(int count);

}  // namespace bench
