// A print-list entry is a DrugRecord whose caller's area holds the dosage settings of the drug
// and whose photo flag says whether its entry photograph is set. Texts are CP932.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "drugbase.h"
#include "sjis/sjis.h"

namespace leaflet {

// Timing slots in the order of the five amounts.
enum Timing : int { kWaking = 0, kMorning, kNoon, kEvening, kBedtime, kTimingCount };

// Meal timing byte.
enum MealTiming : std::uint8_t {
    kNoMeal = 0,
    kBeforeMeals = 1,
    kBetweenMeals = 2,
    kAfterMeals = 3
};

// Timing amounts: 0 none, 1-50 units, kHalfBase + n for n and a half units.
inline constexpr int kMaxWholeAmount = 50;
inline constexpr int kHalfBase = 100;

// The print list holds at most this many entries.
inline constexpr int kPrintListCapacity = 30;

// The layout of DrugRecord::callerArea for a print-list entry.
struct DosageSettings {
    static constexpr std::size_t kAmountWidth = 21;
    static constexpr std::size_t kDaysWidth = 21;
    static constexpr std::size_t kUsageWidth = 61;

    std::uint8_t timings[kTimingCount];
    std::uint8_t reserved;            // always 0
    std::uint8_t mealTiming;          // MealTiming
    std::uint8_t amountListPosition;  // 0xFF when nothing was selected
    std::uint8_t daysListPosition;
    char amountText[kAmountWidth];
    char daysText[kDaysWidth];
    char usageText[kUsageWidth];
    char reservedText[50];
};

static_assert(offsetof(DosageSettings, timings) == 0);
static_assert(offsetof(DosageSettings, reserved) == 5);
static_assert(offsetof(DosageSettings, mealTiming) == 6);
static_assert(offsetof(DosageSettings, amountListPosition) == 7);
static_assert(offsetof(DosageSettings, daysListPosition) == 8);
static_assert(offsetof(DosageSettings, amountText) == 9);
static_assert(offsetof(DosageSettings, daysText) == 30);
static_assert(offsetof(DosageSettings, usageText) == 51);
static_assert(offsetof(DosageSettings, reservedText) == 112);
static_assert(sizeof(DosageSettings) == sizeof(DrugRecord::callerArea));
static_assert(offsetof(DrugRecord, callerArea) == 141);

// Copies of the caller's area as settings, and back.
DosageSettings dosageOf(const DrugRecord& entry);
void setDosage(DrugRecord& entry, const DosageSettings& settings);

// Views of the entry's own dosage texts (not of a copy), valid while the entry is.
std::string_view usageText(const DrugRecord& entry);
std::string_view amountText(const DrugRecord& entry);
std::string_view daysText(const DrugRecord& entry);

// Puts `text` into an entry text field of `width` bytes: every half-width "$" becomes the
// full-width "＄" (the stored history turns "$" into a zero byte), then the text is cut at a
// character boundary to width - 1 bytes and zero padded.
void setEntryText(char* field, std::size_t width, std::string_view text);

template <std::size_t N>
void setEntryText(char (&field)[N], std::string_view text) {
    setEntryText(field, N, text);
}

// Applies setEntryText to the amount, days and usage texts already in `settings`.
void normaliseEntryTexts(DosageSettings& settings);

// The texts the leaflet prints for a drug: SAYO_TOROKU when SAYO_HYOUJI is 1, else SAYOA;
// CYUUI_TOROKU when CYUUI_HYOUJI is 1, else CYUUI.
std::string_view efficacyText(const DrugRecord& record);
std::string_view cautionText(const DrugRecord& record);

// The text of a fixed field, up to its terminator.
template <std::size_t N>
std::string_view field(const char (&f)[N]) {
    return sjis::fieldText(f, N);
}

}  // namespace leaflet
