// The list files in the database folder: one per list, read into and written from a table.
#pragma once

#include <filesystem>

namespace dosagebase {

// The file of list `index` (0-4) in `folder`.
std::filesystem::path listFile(const std::filesystem::path& folder, int index);

// Fills `table` with list `index`: from its file, or its default content while the file does
// not exist. False (table zero, message shown) when the file exists but cannot be read.
bool loadList(const std::filesystem::path& folder, int index, char* table);

// Replaces the file of list `index` with `table`. False (file unchanged, message shown) when it
// cannot be written.
bool storeList(const std::filesystem::path& folder, int index, const char* table);

}  // namespace dosagebase
