// The rules of the dosage window's timing controls, applied to the current entry (a print-list
// entry: the drug record with its dosage settings). Each call changes the entry and tells the
// window which message to show; the window then shows the entry's timings and texts again.
#pragma once

#include <cstdint>
#include <string>

#include "drugbase.h"

namespace dosage {

// The spins run from kSpinMinimum to leaflet::kMaxWholeAmount.
inline constexpr int kSpinMinimum = -1;

enum class Notice {
    kNone,
    kNotForTaking,  // show refusalMessage(form)
    kBelowZero,     // show kBelowZeroMessage
};

enum class GroupButton {
    kMorningNoonEvening,  // 朝昼夕 +１
    kMorningNoon,         // 朝昼 +１
    kMorningEvening,      // 朝夕 +１
    kReset,               // リセット
};

// The controls a rule reads besides the entry.
struct DosageControls {
    bool autoUsage = false;          // 自動用法作成
    std::uint8_t mealSelection = 0;  // the meal-timing list: leaflet::MealTiming
};

// The spin of `timing` moved to `position`. For a not-for-taking form the timing becomes 0;
// a position below zero comes back as 0. `position` (in and out) is what the spin and its edit
// box show afterwards; setTiming then sets the timing to it.
Notice spinMoved(DrugRecord& entry, const DosageControls& controls, int timing, int& position);

// Sets one timing amount and takes the meal timing. With the automatic usage switch on it also
// composes the usage text and the amount text for `value` (or, for 0, the morning amount); with
// the switch off both texts stay as they are. Raising a timing by one is refused for a
// not-for-taking form.
Notice setTiming(DrugRecord& entry, const DosageControls& controls, int timing, int value);

// A "+1" button raises its timings by one (never past 50, and never a half amount); reset
// sets every timing to 0. The "+1" buttons are refused for a not-for-taking form. The texts
// follow as for setTiming with the morning amount.
Notice pressGroupButton(DrugRecord& entry, const DosageControls& controls, GroupButton button);

// The meal timing was chosen: with the automatic switch on, the usage and amount texts follow.
void mealChosen(DrugRecord& entry, const DosageControls& controls);

// A new entry: meal timing after meals, no list selection, and the form's default amount text.
void beginNewEntry(DrugRecord& entry);

// What a timing's edit box shows: " 3" for a whole amount, "1.5" for one and a half.
std::string timingEditText(int amount);

}  // namespace dosage
