#include "dosage/timing_rules.h"

#include <algorithm>

#include "dosage/amount_text.h"
#include "dosage/dosage_forms.h"
#include "dosage/usage_text.h"
#include "leaflet/print_entry.h"

namespace dosage {

namespace {

using leaflet::DosageSettings;

std::string_view formOf(const DrugRecord& entry) {
    return leaflet::field(entry.ZAIKEI);
}

// The common tail of every change: the meal timing from its list, the usage text when it is
// composed automatically, and the amount text for `amount` (0 standing for the morning amount)
// unless that is a half amount.
void composeTexts(DosageSettings& dosage, std::string_view form, const DosageControls& controls,
                  int amount) {
    if (controls.autoUsage) {
        leaflet::setEntryText(dosage.usageText,
                              composeUsageText(dosage.timings, dosage.mealTiming));
    }
    if (amount == 0) amount = dosage.timings[leaflet::kMorning];
    if (amount <= leaflet::kMaxWholeAmount) {
        leaflet::setEntryText(dosage.amountText, composeAmountText(amount, form));
    }
}

}  // namespace

Notice spinMoved(DrugRecord& entry, const DosageControls& controls, int timing, int& position) {
    if (isNotForTaking(formOf(entry))) {
        DosageSettings dosage = leaflet::dosageOf(entry);
        dosage.timings[timing] = 0;
        leaflet::setDosage(entry, dosage);
        position = 0;
        return Notice::kNotForTaking;
    }
    Notice notice = Notice::kNone;
    if (position < 0) {
        notice = Notice::kBelowZero;
        position = 0;
    }
    position = std::min(position, leaflet::kMaxWholeAmount);
    setTiming(entry, controls, timing, position);
    return notice;
}

Notice setTiming(DrugRecord& entry, const DosageControls& controls, int timing, int value) {
    DosageSettings dosage = leaflet::dosageOf(entry);
    if (value == dosage.timings[timing] + 1 && isNotForTaking(formOf(entry))) {
        return Notice::kNotForTaking;
    }
    dosage.mealTiming = controls.mealSelection;
    dosage.timings[timing] = static_cast<std::uint8_t>(value);
    // Without the automatic switch the texts are the pharmacist's own and stay as typed.
    if (controls.autoUsage) composeTexts(dosage, formOf(entry), controls, value);
    leaflet::setDosage(entry, dosage);
    return Notice::kNone;
}

Notice pressGroupButton(DrugRecord& entry, const DosageControls& controls, GroupButton button) {
    if (button != GroupButton::kReset && isNotForTaking(formOf(entry))) {
        return Notice::kNotForTaking;
    }
    DosageSettings dosage = leaflet::dosageOf(entry);
    dosage.mealTiming = controls.mealSelection;
    const auto raise = [&](int timing) {
        // A half amount (100 and more) is past 50 too and stays as it is.
        if (dosage.timings[timing] < leaflet::kMaxWholeAmount) ++dosage.timings[timing];
    };
    switch (button) {
        case GroupButton::kMorningNoonEvening:
            raise(leaflet::kMorning);
            raise(leaflet::kNoon);
            raise(leaflet::kEvening);
            break;
        case GroupButton::kMorningNoon:
            raise(leaflet::kMorning);
            raise(leaflet::kNoon);
            break;
        case GroupButton::kMorningEvening:
            raise(leaflet::kMorning);
            raise(leaflet::kEvening);
            break;
        case GroupButton::kReset:
            std::fill(std::begin(dosage.timings), std::end(dosage.timings), 0);
            break;
    }
    composeTexts(dosage, formOf(entry), controls, 0);
    leaflet::setDosage(entry, dosage);
    return Notice::kNone;
}

void mealChosen(DrugRecord& entry, const DosageControls& controls) {
    if (!controls.autoUsage) return;
    DosageSettings dosage = leaflet::dosageOf(entry);
    dosage.mealTiming = controls.mealSelection;
    composeTexts(dosage, formOf(entry), controls, 0);
    leaflet::setDosage(entry, dosage);
}

void beginNewEntry(DrugRecord& entry) {
    DosageSettings dosage = leaflet::dosageOf(entry);
    std::fill(std::begin(dosage.timings), std::end(dosage.timings), 0);
    dosage.reserved = 0;
    dosage.mealTiming = leaflet::kAfterMeals;
    dosage.amountListPosition = 0;
    dosage.daysListPosition = 0;
    leaflet::setEntryText(dosage.amountText, defaultAmountText(formOf(entry)));
    leaflet::setDosage(entry, dosage);
}

std::string timingEditText(int amount) {
    if (amount >= leaflet::kHalfBase) return std::to_string(amount - leaflet::kHalfBase) + ".5";
    return " " + std::to_string(amount);
}

}  // namespace dosage
