#include "prescription/dosage_reading.h"

#include <algorithm>
#include <optional>

#include "dosage/amount_text.h"
#include "dosage/dosage_forms.h"
#include "prescription/entry_fit.h"
#include "prescription/usage_timings.h"
#include "sjis/sjis.h"

namespace prescription {

namespace {

constexpr std::uint8_t kTypedText = 0xFF;  // list position of a text not chosen from a list

// The timing amount for an amount: 1-50 whole units, kHalfBase + n for n and a half units;
// nullopt when the amount is neither (a third, more than 50).
std::optional<std::uint8_t> timingAmount(const Amount& amount) {
    const std::optional<std::int64_t> halves = amount.halves();
    if (!halves || *halves <= 0) return std::nullopt;
    const std::int64_t whole = *halves / 2;
    if (*halves % 2 == 0) {
        if (whole > leaflet::kMaxWholeAmount) return std::nullopt;
        return static_cast<std::uint8_t>(whole);
    }
    if (whole > leaflet::kMaxWholeAmount) return std::nullopt;
    return static_cast<std::uint8_t>(leaflet::kHalfBase + whole);
}

bool isTakenByMouth(FormKind form) {
    return form == FormKind::kInternal || form == FormKind::kInternalDrops ||
           form == FormKind::kAsNeeded;
}

// Sets every named timing to `amount`; false (nothing set) when the amount cannot be a timing.
bool setEvenTimings(leaflet::DosageSettings& settings, const UsageTimings& usage,
                    const Amount& amount) {
    const std::optional<std::uint8_t> value = timingAmount(amount);
    if (!value) return false;
    for (int slot = 0; slot < leaflet::kTimingCount; ++slot) {
        if (usage.slots[slot]) settings.timings[slot] = *value;
    }
    return true;
}

// Sets the named timings, in their order, to the uneven amounts; false (nothing set) when the
// counts differ or an amount cannot be a timing.
bool setUnevenTimings(leaflet::DosageSettings& settings, const UsageTimings& usage,
                      const std::vector<Amount>& amounts) {
    if (static_cast<int>(amounts.size()) != usage.count()) return false;
    std::uint8_t values[leaflet::kTimingCount] = {};
    std::size_t next = 0;
    for (int slot = 0; slot < leaflet::kTimingCount; ++slot) {
        if (!usage.slots[slot]) continue;
        const std::optional<std::uint8_t> value = timingAmount(amounts[next++]);
        if (!value) return false;
        values[slot] = *value;
    }
    std::copy(std::begin(values), std::end(values), settings.timings);
    return true;
}

// The usage text: the usage name, then each supplement after a full-width space.
std::string usageTextOf(const Rp& rp) {
    static const std::string separator = sjis::fromUtf8("　");
    std::string text = rp.usage;
    for (const std::string& supplement : rp.supplements) {
        if (!text.empty()) text += separator;
        text += supplement;
    }
    return text;
}

// The unit as the amount texts write it: a potency amount says so ("ｍｇ（力価）").
std::string unitOf(const Drug& drug) {
    static const std::string potency = sjis::fromUtf8("（力価）");
    return drug.potency ? drug.unit + potency : drug.unit;
}

// The amount text. A potency amount whose text cannot keep its "用量　" heading in the field
// drops the heading, so that the cut never takes "（力価）" off.
std::string amountTextOf(std::string_view amount, const Drug& drug, dosage::AmountPer per) {
    const std::string composed = dosage::composeAmountText(amount, unitOf(drug), per);
    if (!drug.potency || composed.size() < leaflet::DosageSettings::kAmountWidth) return composed;
    const std::string heading = sjis::fromUtf8(per == dosage::AmountPer::kDose ? "１回" : "１日");
    for (const std::string& digits : {sjis::toFullWidth(amount), std::string(amount)}) {
        std::string text = heading + digits + unitOf(drug);
        if (text.size() < leaflet::DosageSettings::kAmountWidth) return text;
    }
    return composed;
}

std::string daysTextOf(const Rp& rp, const Drug& drug) {
    const std::string quantity = sjis::toFullWidth(std::to_string(rp.quantity));
    switch (rp.form) {
        case FormKind::kInternal:
        case FormKind::kInternalDrops:
            return rp.quantity > 0 ? quantity + sjis::fromUtf8("日分") : std::string();
        case FormKind::kAsNeeded:
            return rp.quantity > 0 ? quantity + sjis::fromUtf8("回分") : std::string();
        default: {
            const Amount total = drug.amount.times(std::max(rp.quantity, 1));
            return total.empty() ? std::string() : sjis::toFullWidth(total.text()) + unitOf(drug);
        }
    }
}

// The amount per intake of a drug taken by mouth, with where it came from; kUneven and kNone
// carry no single amount.
std::pair<Amount, AmountSource> perIntakeOf(const Rp& rp, const Drug& drug, int timingCount) {
    if (!drug.perIntake.empty()) return {drug.perIntake, AmountSource::kPerIntake};
    if (!drug.unevenAmounts.empty()) return {Amount(), AmountSource::kUneven};
    if (rp.form == FormKind::kAsNeeded) return {drug.amount, AmountSource::kAsWritten};
    const int intakes = rp.timesPerDay > 0 ? rp.timesPerDay : timingCount;
    if (intakes > 0) {
        const Amount divided = drug.amount.dividedBy(intakes);
        if (divided.halves()) return {divided, AmountSource::kDailyDivided};
    }
    return {Amount(), AmountSource::kNone};
}

}  // namespace

DrugDosage dosageFor(const Rp& rp, const Drug& drug, std::string_view catalogueForm) {
    DrugDosage result;
    leaflet::DosageSettings& settings = result.settings;
    settings.amountListPosition = kTypedText;
    settings.daysListPosition = kTypedText;

    const UsageTimings usage = timingsOfUsage(rp.usage);
    settings.mealTiming = usage.meal;
    const auto fit = [&result](auto& field, EntryText kind, std::string_view text) {
        if (auto check = fitEntryText(field, kind, text)) result.checks.push_back(*check);
    };
    fit(settings.usageText, EntryText::kUsage, usageTextOf(rp));
    fit(settings.daysText, EntryText::kDays, daysTextOf(rp, drug));

    if (!isTakenByMouth(rp.form)) {
        result.source = AmountSource::kTotal;
        const std::string amount =
            drug.perIntake.empty()
                ? dosage::defaultAmountText(catalogueForm)
                : amountTextOf(drug.perIntake.text(), drug, dosage::AmountPer::kDose);
        fit(settings.amountText, EntryText::kAmount, amount);
        return result;
    }

    const auto [perIntake, source] = perIntakeOf(rp, drug, usage.count());
    result.source = source;
    // Timings only where the usage names as many intakes as the prescription counts.
    const bool placeable = usage.count() > 0 && !dosage::isNotForTaking(catalogueForm) &&
                           (rp.timesPerDay == 0 || rp.timesPerDay == usage.count()) &&
                           (drug.intakesPerDay == 0 || drug.intakesPerDay == usage.count());
    if (source == AmountSource::kUneven) {
        if (placeable) setUnevenTimings(settings, usage, drug.unevenAmounts);
    } else if (source != AmountSource::kNone && placeable) {
        setEvenTimings(settings, usage, perIntake);
    }

    const std::string amount = perIntake.empty()
                                   ? amountTextOf(drug.amount.text(), drug, dosage::AmountPer::kDay)
                                   : amountTextOf(perIntake.text(), drug, dosage::AmountPer::kDose);
    fit(settings.amountText, EntryText::kAmount, amount);
    return result;
}

}  // namespace prescription
