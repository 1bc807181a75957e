#include "page/generic_note.h"

#include "dosage/dosage_forms.h"
#include "leaflet/print_entry.h"
#include "page/handbook_amount.h"
#include "sjis/sjis.h"

namespace leaflet {

namespace {

// "5.70": hundredths of a yen as the master writes prices.
std::string yenText(long long hundredths) {
    const long long cents = hundredths % 100;
    return std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

// A unit compared without regard to full or half width (ｇ and g).
std::string plainUnit(std::string_view cp932) {
    return sjis::toHalfWidth(cp932);
}

// The day's amount of a drug taken regularly, when given in the master's unit.
std::optional<std::string> dayAmountInUnit(const DrugRecord& entry, std::string_view unit) {
    const DosageSettings dosage = dosageOf(entry);
    const dosage::Administration administration =
        dosage::administration(field(entry.ZAIKEI), ehandbook::givenWhenNeeded(dosage));
    if (administration != dosage::Administration::kTaken) return std::nullopt;
    const ehandbook::DrugAmount amount = ehandbook::derivedAmount(entry, administration);
    if (amount.amount.empty() || plainUnit(amount.unit) != plainUnit(unit)) return std::nullopt;
    return amount.amount;
}

}  // namespace

std::optional<long long> dailyDifferenceYen(long long price, long long lowest,
                                            std::string_view dayAmount) {
    long long numerator = 0;  // the amount times `scale`
    long long scale = 1;
    bool point = false;
    bool digits = false;
    for (char c : dayAmount) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && scale < 1'000'000) {
            digits = true;
            numerator = numerator * 10 + (c - '0');
            if (point) scale *= 10;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    // Hundredths of a yen times the scaled amount: one rounding, at the end.
    const long long exact = (price - lowest) * numerator;
    const long long divisor = 100 * scale;
    return (exact + divisor / 2) / divisor;
}

std::vector<std::string> genericNoteLines(const DrugGenericFacts& facts, const DrugRecord& entry) {
    if (!facts.found) return {};
    if (facts.generic) return {sjis::fromUtf8("後発医薬品")};
    if (facts.lowestGenericPrice < 0) return {};
    const std::string unit(field(facts.unit));
    std::vector<std::string> lines{
        sjis::fromUtf8("後発医薬品があります"),
        sjis::fromUtf8("最安 " + yenText(facts.lowestGenericPrice) + "円／") + unit};
    if (facts.price < 0 || facts.price < facts.lowestGenericPrice) return lines;
    if (const auto amount = dayAmountInUnit(entry, unit))
        if (const auto yen = dailyDifferenceYen(facts.price, facts.lowestGenericPrice, *amount))
            lines.push_back(sjis::fromUtf8("1日あたり約" + std::to_string(*yen) + "円の差額"));
    return lines;
}

}  // namespace leaflet
