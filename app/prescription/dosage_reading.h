// The dosage settings of a print-list entry taken from a prescribed drug and its RP: timings
// from the usage words, the amount per intake, and the usage, amount and days texts, composed
// as the dosage window composes them, fitted to the entry's fields (entry_fit.h). The pharmacist
// checks and may change every entry before printing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "leaflet/print_entry.h"
#include "prescription/prescription.h"

namespace prescription {

// Where the amount per intake came from.
enum class AmountSource {
    kNone,          // not found: the timings stay empty, the amount text gives the daily amount
    kPerIntake,     // record 241
    kUneven,        // record 221: one amount per timing
    kDailyDivided,  // 内服: the daily amount divided by the intakes per day
    kAsWritten,     // 頓服: the drug record's amount is per intake
    kTotal,         // 外用 and other forms: the amount is the total, written as the days text
};

struct DrugDosage {
    leaflet::DosageSettings settings{};
    AmountSource source = AmountSource::kNone;
    std::vector<std::string> checks;  // texts shortened or left out to fit their fields (UTF-8)
};

// `catalogueForm` is the dosage form (ZAIKEI, CP932) of the catalogue drug the prescribed drug
// was matched to, empty when it is unmatched; a form not taken by mouth gets no timings.
DrugDosage dosageFor(const Rp& rp, const Drug& drug, std::string_view catalogueForm);

}  // namespace prescription
