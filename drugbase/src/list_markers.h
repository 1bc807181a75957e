// The derived texts of the name-ordered catalogue: maker and strength markers in LISTNAME and
// N codes from product names. All texts are CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drugbase {

// One row of the catalogue in name order (product name, maker, strength).
struct NamedRow {
    std::string_view name;  // PRODUCTNAME
    std::string_view key;   // what tells rows of one name apart: COMPANY, or TANNI
};

// Which rows a marker pass marks. Walking the rows, the first row of a name whose key differs
// from the row before it (of the same name) marks that row before, itself, and every later
// row of the name; earlier rows of the name are not marked.
std::vector<bool> markedRows(const std::vector<NamedRow>& rows);

// The product name whose every row gets the maker marker.
bool alwaysMarked(std::string_view productName);

// The part of an N code taken from the product name: its first six bytes, cut at a character
// boundary, with katakana turned into hiragana.
std::string nCodePrefix(std::string_view productName);

// The N codes of rows in name order: nothing for a "＄" row; otherwise the first six bytes of
// the name (cut at a character boundary) in hiragana, with the row's number within a run of
// rows sharing that prefix, from the second on, in full-width digits.
std::vector<std::optional<std::string>> nCodes(const std::vector<std::string_view>& names);

}  // namespace drugbase
