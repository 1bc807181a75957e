// The five phrase tables held in memory while the program runs, as the phrase store delivers
// them (250 slots of 201 bytes each), each with the version it was read or kept at, so that a
// save never replaces a list another terminal changed meanwhile.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/phrase_store.h"

namespace dosage {

enum PhraseList : int {
    kUsagePhrases = DOSAGEBASE_LIST_USAGE,
    kAmountPhrases = DOSAGEBASE_LIST_AMOUNT,
    kDaysPhrases = DOSAGEBASE_LIST_DAYS,
    kPrescribers = DOSAGEBASE_LIST_PRESCRIBER,
    kPharmacists = DOSAGEBASE_LIST_PHARMACIST,
};

using PhraseTable = data::PhraseTable;

struct PhraseTables {
    std::array<PhraseTable, DOSAGEBASE_LIST_COUNT> tables{};
    std::array<data::PhraseVersion, DOSAGEBASE_LIST_COUNT> versions{};

    // Reads every list from the store (a list it cannot deliver stays empty).
    void readAll();
    // Reads list `list` again, picking up a change made elsewhere; on a failure (after the
    // library's message) the table in memory stays as it was.
    data::DataResult reload(int list);
    // Stores `table` as list `list` unless the list was changed elsewhere since it was read;
    // when done it becomes the table in memory. On kChanged nothing changes: reload and decide.
    data::PhraseKeep keep(int list, const PhraseTable& table);
    PhraseTable& operator[](int list) { return tables[static_cast<std::size_t>(list)]; }
    const PhraseTable& operator[](int list) const { return tables[static_cast<std::size_t>(list)]; }
};

// The items a list shows for a table: a separator slot ("\r\n") as an empty item, every other
// non-empty slot as its text; empty slots are skipped.
std::vector<std::string> phraseItems(const PhraseTable& table);

}  // namespace dosage
