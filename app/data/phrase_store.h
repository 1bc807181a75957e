// The store of the five phrase lists as the program sees it: whole phrase tables read and
// kept, results mapped to DataResult.
#pragma once

#include <array>
#include <filesystem>

#include "data/data_result.h"
#include "dosagebase.h"

namespace data {

// One list as a table: 250 slots of 201 bytes, slot after slot in display order.
using PhraseTable = std::array<char, DOSAGEBASE_TABLE_SIZE>;

class PhraseStore {
  public:
    // Makes the database folder the place of the list files.
    void open(const std::filesystem::path& databaseFolder) const;
    // Fills `table` with list `list` (its default content while it has no file). On a
    // failure the table is all zero or, for a list index out of range, untouched.
    DataResult read(int list, PhraseTable& table) const;
    // Keeps `table` as the new content of list `list`; on a failure the stored list stays.
    DataResult keep(int list, const PhraseTable& table) const;
};

}  // namespace data
