// Search as you type: each change of a search box's text selects the first drug-list row that
// begins with it. The drug-name box also finds katakana names from typed hiragana.
#pragma once

#include <optional>
#include <string>

#include "drugs/drug_list_model.h"

namespace drugs {

class PrefixSearch {
  public:
    // The drug-name box reads at most 89 bytes and converts hiragana to katakana; the N-code
    // box reads at most 15 bytes as it stands.
    static PrefixSearch forNames() { return {DrugListModel::NameColumn, 89, true}; }
    static PrefixSearch forCodes() { return {DrugListModel::CodeColumn, 15, false}; }

    // The row to select for the box's new text (CP932), or nothing: for an empty text, for the
    // text searched last time (unchanged text does not search again, even after the box was
    // emptied in between), and when no row matches.
    std::optional<int> search(const DrugListModel& model, const std::string& boxText);
    // Whether the last call searched and found no row (the box's text matches no drug).
    bool missed() const { return missed_; }

  private:
    PrefixSearch(DrugListModel::Column column, std::size_t maxBytes, bool toKatakana)
        : column_(column), maxBytes_(maxBytes), toKatakana_(toKatakana) {}

    DrugListModel::Column column_;
    std::size_t maxBytes_;
    bool toKatakana_;
    std::string last_;
    bool missed_ = false;
};

}  // namespace drugs
