// A synthetic patient register for the benchmarks: many patients, a few of them with a full
// medication history of twenty leaflets of thirty drugs of the synthetic catalogue each.
#pragma once

#include <filesystem>
#include <string>

#include "sqlkit/connection.h"

namespace bench {

// Every patient whose ID is a multiple of this has a full history; the others have none.
inline constexpr int kSyntheticHistoryEvery = 500;

// The drugs a stored leaflet names are odd-numbered synthetic catalogue drugs (see
// syntheticYjCode; those are the ones with a photograph 1) below kSyntheticHistoryDrugs, so they
// exist in every synthetic catalogue at least this large.
inline constexpr int kSyntheticHistoryDrugs = 1000;

// A data folder holding a register of `count` patients (IDs 1 .. count, no gaps), those of
// kSyntheticHistoryEvery with twenty history slots of full 4110-byte blocks, built on first use
// under `cacheRoot` and reused afterwards.
std::filesystem::path syntheticRegisterFolder(const std::filesystem::path& cacheRoot, int count);

// The stored history block of slot `slot` of patient `id` (a patient with a history): thirty
// records with '$' for every empty byte, as the register keeps it.
std::string syntheticHistoryBlock(int id, int slot);

// Adds the register of `count` patients to the empty table of `db` in one transaction; exits
// with a message naming `where` when the engine fails.
void fillSyntheticRegister(sqlkit::Connection& db, int count, const std::string& where);

// The stored form of the stamp of history slot `slot`: slot 0 is the oldest.
std::string syntheticStamp(int slot);

}  // namespace bench
