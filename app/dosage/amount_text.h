// The amount text (用量) composed from the amount per dose and the dosage form, e.g.
// "用量　１回２錠". It always fits the entry's 20-byte amount field: when full-width digits would
// not ("用量　１回１２カプセル" is 22 bytes) the digits are written half-width
// ("用量　１回12カプセル"), so the number is never cut.
#pragma once

#include <string>
#include <string_view>

namespace dosage {

// CP932; empty for an amount outside 1-50 and for a form without an amount unit.
std::string composeAmountText(int amount, std::string_view form);

// Whether an amount is counted per dose ("１回") or per day ("１日").
enum class AmountPer { kDose, kDay };

// The same text for any amount and unit word: `amount` in ASCII digits (with a fraction such
// as "1.5" or "2/3"), `unit` CP932 (e.g. "錠", "ｇ"). Digits are full-width when the whole
// text fits the field and half-width otherwise. CP932; empty when `amount` is empty.
std::string composeAmountText(std::string_view amount, std::string_view unit,
                              AmountPer per = AmountPer::kDose);

}  // namespace dosage
