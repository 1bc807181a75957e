// The store of the five phrase lists and the pharmacy as the program sees it: whole phrase
// tables read with their version and kept only while the stored list is still at it, the
// pharmacy as six texts, results mapped to DataResult.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "data/data_result.h"
#include "dosagebase.h"

namespace data {

// One list as a table: 250 slots of 201 bytes, slot after slot in display order.
using PhraseTable = std::array<char, DOSAGEBASE_TABLE_SIZE>;
// The version of a stored list: a save made at an older one is refused.
using PhraseVersion = unsigned long long;

// What became of a save at a version.
enum class PhraseKeep {
    kDone,
    kChanged,  // another program changed the list since it was read: nothing stored, no message
    kFailed,   // the library failed and has said why
};

// The pharmacy's fields (CP932) in the library's order: name, prefecture, institution code,
// postal code, address, telephone.
inline constexpr int kPharmacyFields = 6;
using PharmacyFields = std::array<std::string, kPharmacyFields>;

class PhraseStore {
  public:
    // Makes the database folder the place of the list files.
    void open(const std::filesystem::path& databaseFolder) const;
    // Fills `table` with list `list` (its default content while it has no file) and `version`
    // with the version read. On a failure the table is all zero or, for a list index out of
    // range, untouched.
    DataResult read(int list, PhraseTable& table, PhraseVersion& version) const;
    // Reads every list into `tables` with its version in `versions`, in one statement on a
    // server. A list that cannot be read is all zero (after the library's message).
    DataResult readAll(std::array<PhraseTable, DOSAGEBASE_LIST_COUNT>& tables,
                       std::array<PhraseVersion, DOSAGEBASE_LIST_COUNT>& versions) const;
    // Keeps `table` as the new content of list `list` while the stored list is still at
    // `version`, which then becomes the version stored; otherwise the stored list stays.
    PhraseKeep keep(int list, const PhraseTable& table, PhraseVersion& version) const;

    // The stored pharmacy; every field empty while none is stored.
    DataResult readPharmacy(PharmacyFields& fields) const;
    // The first field (0-5) that is too long or not of its shape, or -1 when all are.
    int refusedPharmacyField(const PharmacyFields& fields) const;
    // Keeps `fields` as the pharmacy; kFailed, nothing stored, when a field is refused or the
    // store fails (after the library's message).
    DataResult keepPharmacy(const PharmacyFields& fields) const;
};

}  // namespace data
