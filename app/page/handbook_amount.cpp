#include "page/handbook_amount.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "sjis/sjis.h"

namespace ehandbook {

namespace {

// Amounts are counted in millionths, so that halves and decimal fractions add up exactly.
using Micro = std::int64_t;
constexpr Micro kOne = 1000000;
constexpr int kFractionDigits = 6;
constexpr int kWholeDigits = 9;

// A UTF-8 text with its full-width digits and full stops made ASCII.
std::string asciiDigits(std::string_view utf8) {
    static const std::string_view kFullDigits = "０１２３４５６７８９";
    static const std::string_view kFullStop = "．";
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view rest = utf8.substr(i);
        if (rest.starts_with(kFullStop)) {
            out += '.';
            i += kFullStop.size();
            continue;
        }
        const std::size_t at = rest.size() >= 3 ? kFullDigits.find(rest.substr(0, 3)) : 0;
        if (rest.size() >= 3 && at != std::string_view::npos && at % 3 == 0) {
            out += static_cast<char>('0' + at / 3);
            i += 3;
            continue;
        }
        out += utf8[i++];
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of `text` ("12", "0.5", or 半 for a half) and the bytes it took.
std::optional<std::pair<Micro, std::size_t>> numberAt(std::string_view text) {
    static const std::string_view kHalf = "半";
    if (text.starts_with(kHalf)) return std::pair{kOne / 2, kHalf.size()};
    std::size_t i = 0;
    Micro whole = 0;
    while (i < text.size() && isDigit(text[i]) && i < kWholeDigits)
        whole = whole * 10 + text[i++] - '0';
    if (i == 0) return std::nullopt;
    Micro fraction = 0;
    Micro scale = kOne;
    if (i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1])) {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            if (scale == 1) return std::nullopt;  // finer than an amount is counted
            scale /= 10;
            fraction += (text[i] - '0') * scale;
        }
    }
    return std::pair{whole * kOne + fraction, i};
}

// Unit words of the texts (UTF-8) and the unit written for each.
struct UnitWord {
    std::string_view word;
    std::string_view unit;
};
constexpr UnitWord kUnitWords[] = {{"錠", "錠"},   {"カプセル", "カプセル"},
                                   {"包", "包"},   {"ｇ", "g"},
                                   {"g", "g"},     {"ｍＬ", "mL"},
                                   {"ｍｌ", "mL"}, {"mL", "mL"},
                                   {"ml", "mL"},   {"枚", "枚"},
                                   {"本", "本"},   {"個", "個"},
                                   {"袋", "袋"}};

struct Quantity {
    Micro amount = 0;
    std::string_view unit;  // UTF-8, as written into the record
};

// A number followed directly by a unit word, at the start of `text` (ASCII digits).
std::optional<Quantity> quantityAt(std::string_view text) {
    const auto number = numberAt(text);
    if (!number || number->first == 0) return std::nullopt;
    const std::string_view rest = text.substr(number->second);
    for (const UnitWord& u : kUnitWords)
        if (rest.starts_with(u.word)) return Quantity{number->first, u.unit};
    return std::nullopt;
}

// The quantity written after `lead` ("1回", "1日") in `text`.
std::optional<Quantity> quantityAfter(std::string_view text, std::string_view lead) {
    for (std::size_t at = text.find(lead); at != std::string_view::npos;
         at = text.find(lead, at + 1)) {
        if (at > 0 && isDigit(text[at - 1])) continue;  // "11回" is not "1回"
        if (const auto q = quantityAt(text.substr(at + lead.size()))) return q;
    }
    return std::nullopt;
}

std::string decimalText(Micro amount) {
    std::string text = std::to_string(amount / kOne);
    Micro fraction = amount % kOne;
    if (fraction == 0) return text;
    std::string digits = std::to_string(kOne + fraction).substr(1);
    while (digits.back() == '0') digits.pop_back();
    return text + "." + digits;
}

DrugAmount written(Micro amount, std::string_view unit) {
    return {decimalText(amount), sjis::fromUtf8(unit)};
}

Micro timingAmount(std::uint8_t t) {
    return t >= leaflet::kHalfBase ? (t - leaflet::kHalfBase) * kOne + kOne / 2 : t * kOne;
}

// The counting unit the timing amounts are given in: that of the form, else the catalogue
// unit's "１錠", "１カプセル" or "１包" (UTF-8; empty when neither tells).
std::string countingUnit(const DrugRecord& entry) {
    const std::string ofForm = sjis::toUtf8(dosage::amountUnit(leaflet::field(entry.ZAIKEI)));
    if (!ofForm.empty()) return ofForm;
    const std::string unit = asciiDigits(sjis::toUtf8(leaflet::field(entry.TANNI)));
    for (const char* word : {"錠", "カプセル", "包"})
        if (unit.ends_with(std::string("1") + word)) return word;
    return {};
}

DrugAmount dayAmount(const DrugRecord& entry, const leaflet::DosageSettings& dosage,
                     std::string_view amountText) {
    Micro sum = 0;
    int intakes = 0;
    bool even = true;
    for (const std::uint8_t t : dosage.timings) {
        if (t == 0) continue;
        even = even && (intakes == 0 || timingAmount(t) * intakes == sum);
        sum += timingAmount(t);
        ++intakes;
    }
    if (const auto perDay = quantityAfter(amountText, "1日"))
        return written(perDay->amount, perDay->unit);
    const std::string counting = countingUnit(entry);
    const auto perDose = quantityAfter(amountText, "1回");
    if (intakes > 0 && !counting.empty() && (!perDose || perDose->unit == counting))
        return written(sum, counting);
    if (intakes > 0 && perDose && even) return written(perDose->amount * intakes, perDose->unit);
    return {};
}

DrugAmount totalAmount(std::string_view daysText, std::string_view amountText) {
    if (const auto total = quantityAt(daysText)) return written(total->amount, total->unit);
    const auto doses = numberAt(daysText);
    const auto perDose = quantityAfter(amountText, "1回");
    if (doses && perDose && daysText.substr(doses->second) == "回分" && doses->first % kOne == 0)
        return written(perDose->amount * (doses->first / kOne), perDose->unit);
    return {};
}

bool hasTimings(const leaflet::DosageSettings& dosage) {
    for (const std::uint8_t amount : dosage.timings)
        if (amount != 0) return true;
    return false;
}

// Words of a usage that give a drug only when needed.
constexpr std::string_view kWhenNeededWords[] = {
    "頓服",   "頓用",       "屯服",   "発熱時",         "疼痛時",     "不眠時",     "便秘時",
    "発作時", "痛い時",     "痛む時", "眠れない時",     "熱が高い時", "熱のある時", "不安時",
    "必要時", "咳が出る時", "下痢時", "吐き気がする時", "嘔気時"};

}  // namespace

bool givenWhenNeeded(const leaflet::DosageSettings& dosage) {
    if (hasTimings(dosage)) return false;
    if (sjis::toUtf8(leaflet::field(dosage.daysText)).ends_with("回分")) return true;
    const std::string usage = sjis::toUtf8(leaflet::field(dosage.usageText));
    for (const std::string_view word : kWhenNeededWords)
        if (usage.find(word) != std::string::npos) return true;
    return false;
}

DrugAmount derivedAmount(const DrugRecord& entry, dosage::Administration administration) {
    const leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
    const std::string amountText = asciiDigits(sjis::toUtf8(leaflet::field(dosage.amountText)));
    switch (administration) {
        case dosage::Administration::kTaken:
            return dayAmount(entry, dosage, amountText);
        case dosage::Administration::kTakenAsNeeded:
            if (const auto perDose = quantityAfter(amountText, "1回"))
                return written(perDose->amount, perDose->unit);
            return {};
        case dosage::Administration::kInjection:
        case dosage::Administration::kExternal:
        case dosage::Administration::kOther:
            break;
    }
    return totalAmount(asciiDigits(sjis::toUtf8(leaflet::field(dosage.daysText))), amountText);
}

}  // namespace ehandbook
