// What the drug dialog does with a drug when OK is pressed, apart from any widget: which fields
// are missing, whether the codes are free, storing the drug, and how the drug list must follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/drug_catalogue.h"
#include "drugs/drug_list_model.h"
#include "page/print_list.h"

namespace drugs {

enum class DrugDialogMode { View = 1, Correct = 2, Register = 3 };

// A message that refuses the OK; the dialog stays open with the operator's input.
struct Refusal {
    const char* text;
    const char* title;
};

// How a drug-list row follows a correction: its texts are replaced in place, or the row moves
// to the place the list order gives it now.
enum class ListChange { None, Relabel, Move };

ListChange listChange(const DrugRecord& before, const DrugRecord& after, data::DrugOrder order);

// The first of the product name, the YJ code and the N code that is empty, in that order.
std::optional<Refusal> missingField(const DrugRecord& record, DrugDialogMode mode);

// A typed YJ code as it is stored: half-width and upper-case, so that codes differing only in
// case or width are one code.
std::string typedYjcode(std::string_view cp932);
// Whether a typed YJ code has the form of one: 12 half-width letters or digits.
bool yjcodeFormFits(std::string_view yjcode);

// Checks a corrected drug (found under `oldYjcode`) and stores it. A YJ code typed anew is made
// as typedYjcode makes it, in `record` too. Refused: a field is missing, a changed YJ code is not
// of the form or is another drug's, or the N code is another drug's; a failed store is a refusal
// too, and nothing was changed.
std::optional<Refusal> storeCorrection(const data::DrugCatalogue& catalogue, DrugRecord& record,
                                       const std::string& oldYjcode);

// Checks a new drug and adds it as the user's own, its YJ code made as typedYjcode makes it.
// Refused: a field is missing, the YJ code is not of the form, the YJ code or the N code is in
// use, or the store failed.
std::optional<Refusal> storeRegistration(const data::DrugCatalogue& catalogue, DrugRecord& record);

// Puts a corrected or new drug into the list and returns its row (-1 when it is not there).
// Relabel replaces the texts of `row`; Move takes `row` out (none for -1, a new drug) and puts
// the drug where the catalogue lists it in `order`. When the catalogue cannot tell the place,
// the whole list is read again.
int placeDrug(DrugListModel& list, int row, ListChange change, const DrugRecord& drug,
              data::DrugOrder order, const data::DrugCatalogue& catalogue);

// Copies the efficacy and caution texts and their choices of a corrected drug into every
// print-list entry of that drug, so that the leaflet prints what the catalogue now holds.
// Returns the number of entries changed.
int refreshPrintEntries(leaflet::PrintList& printList, const DrugRecord& drug);

// The code fields of a record as texts (CP932).
std::string yjcodeOf(const DrugRecord& record);
std::string codeOf(const DrugRecord& record);
std::string nameOf(const DrugRecord& record);

}  // namespace drugs
