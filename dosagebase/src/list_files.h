// The list files in the database folder: one per list, read into and written from a table.
#pragma once

#include <filesystem>

#include "list_version.h"

namespace dosagebase {

// The file of list `index` (0-4) in `folder`.
std::filesystem::path listFile(const std::filesystem::path& folder, int index);

// Fills `table` with list `index`: from its file, or its default content while the file does
// not exist; `version` (output, may be NULL) gets the file's version. False (table zero,
// message shown) when the file exists but cannot be read.
bool loadList(const std::filesystem::path& folder, int index, char* table,
              ListVersion* version = nullptr);

// Replaces the file of list `index` with `table`; with `expected`, only while the file is still
// at that version (else Changed, nothing written, no message). `stored` (output, may be NULL)
// gets the new version. Failed (file unchanged, message shown) when it cannot be written.
Stored storeList(const std::filesystem::path& folder, int index, const char* table,
                 const ListVersion* expected = nullptr, ListVersion* stored = nullptr);

}  // namespace dosagebase
