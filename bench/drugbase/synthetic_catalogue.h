// A synthetic drug catalogue for the benchmarks: realistic names, codes and text lengths.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue_admin.h"

namespace bench {

// `count` drugs, the same for the same count: katakana product names with form and strength,
// ASCII or hiragana N codes, makers, general names shared by a few drugs each, and memo texts
// of 100 to 500 bytes.
std::vector<drugbase::SuppliedDrug> syntheticDrugs(int count);

// A data folder holding a catalogue of `count` synthetic drugs, built on first use under
// `cacheRoot` and reused afterwards.
std::filesystem::path syntheticCatalogueFolder(const std::filesystem::path& cacheRoot, int count);

// Adds `count` synthetic drugs as supplied data to the empty catalogue table of `db` in one
// transaction; false with the engine's text.
bool fillSyntheticCatalogue(sqlkit::Connection& db, int count, std::string* error);

// The YJ code of synthetic drug `i`.
std::string syntheticYjCode(int i);

}  // namespace bench
