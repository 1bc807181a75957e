// The amount and unit of a drug's handbook record, and whether it is given only when needed,
// read from a print-list entry that no prescription code described: its timing amounts, its
// amount, days and usage texts, and the catalogue's form (ZAIKEI) and unit (TANNI).
#pragma once

#include <string>

#include "dosage/dosage_forms.h"
#include "drugbase.h"
#include "leaflet/print_entry.h"

namespace ehandbook {

struct DrugAmount {
    std::string amount;  // half-width decimal, e.g. "1.5"; empty together with the unit
    std::string unit;    // CP932, e.g. "錠", "g", "mL"
};

// True for a drug without timing amounts whose days text counts doses ("５回分") or whose usage
// names an occasion (発熱時, 疼痛時, 不眠時, 眠れない時…) or says 頓服 or 頓用.
bool givenWhenNeeded(const leaflet::DosageSettings& dosage);

// Taken regularly: the day's amount, from the timings in the unit of the form (錠, カプセル,
// 包) or from the amount text's "１回" amount times the intakes, or its "１日" amount. Taken
// when needed: the amount text's "１回" amount. Other forms: the total, from a days text such
// as "２８枚" or "５ｇ", or the "１回" amount times the doses of "５回分". Both empty when the
// texts do not tell.
DrugAmount derivedAmount(const DrugRecord& entry, dosage::Administration administration);

}  // namespace ehandbook
