// The generic-drug information under a drug's name: "後発医薬品" for a generic; for a drug
// with generics, "後発医薬品があります", the lowest price per unit among them and, where the
// day's amount is known in the master's unit, the difference per day. Texts are CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drugbase.h"

namespace leaflet {

// The difference per day in whole yen: (price - lowest) hundredths of a yen per unit times the
// day's amount (a half-width decimal such as "1.5"), computed exactly and rounded half up to
// whole yen only at the end; nothing when the amount is not a decimal.
std::optional<long long> dailyDifferenceYen(long long price, long long lowest,
                                            std::string_view dayAmount);

// The note's lines for the entry; none when the master has no row of the drug or tells
// nothing of generics.
std::vector<std::string> genericNoteLines(const DrugGenericFacts& facts, const DrugRecord& entry);

}  // namespace leaflet
