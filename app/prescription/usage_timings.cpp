#include "prescription/usage_timings.h"

#include <algorithm>
#include <string>

#include "sjis/sjis.h"

namespace prescription {

namespace {

bool contains(const std::string& text, std::string_view word) {
    return text.find(word) != std::string::npos;
}

// The meal timing the text names, or kNoMeal when it names none or more than one. The "直"
// forms are looked for on their own: "食直後" does not contain "食後".
std::uint8_t mealTimingOf(const std::string& text) {
    const bool before = contains(text, "食前") || contains(text, "食直前");
    const bool after = contains(text, "食後") || contains(text, "食直後");
    const bool between = contains(text, "食間");
    if (before + after + between != 1) return leaflet::kNoMeal;
    if (before) return leaflet::kBeforeMeals;
    return after ? leaflet::kAfterMeals : leaflet::kBetweenMeals;
}

}  // namespace

int UsageTimings::count() const {
    return static_cast<int>(std::count(std::begin(slots), std::end(slots), true));
}

UsageTimings timingsOfUsage(std::string_view usage) {
    const std::string text = sjis::toUtf8(usage);
    UsageTimings timings;
    const bool everyMeal = contains(text, "毎食");
    timings.slots[leaflet::kWaking] = contains(text, "起床");
    timings.slots[leaflet::kMorning] = everyMeal || contains(text, "朝");
    timings.slots[leaflet::kNoon] = everyMeal || contains(text, "昼");
    timings.slots[leaflet::kEvening] = everyMeal || contains(text, "夕");
    timings.slots[leaflet::kBedtime] =
        contains(text, "寝る前") || contains(text, "就寝前") || contains(text, "眠前");
    timings.meal = mealTimingOf(text);
    return timings;
}

}  // namespace prescription
