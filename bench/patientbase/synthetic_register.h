// A synthetic patient register for the benchmarks: every patient with a full medication
// history of twenty leaflets of thirty drugs each.
#pragma once

#include <filesystem>
#include <string>

#include "sqlkit/connection.h"

namespace bench {

// A data folder holding a register of `count` patients (IDs 1 .. count, no gaps), each with
// twenty history slots of full 4110-byte blocks, built on first use under `cacheRoot` and reused
// afterwards.
std::filesystem::path syntheticRegisterFolder(const std::filesystem::path& cacheRoot, int count);

// Adds the register of `count` patients to the empty table of `db` in one transaction; exits
// with a message naming `where` when the engine fails.
void fillSyntheticRegister(sqlkit::Connection& db, int count, const std::string& where);

// The stored form of the stamp of history slot `slot`: slot 0 is the oldest.
std::string syntheticStamp(int slot);

}  // namespace bench
