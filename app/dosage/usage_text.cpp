#include "dosage/usage_text.h"

#include "sjis/sjis.h"

namespace dosage {

namespace {

// The meal word for the set timings among morning, noon and evening.
const char* mealWord(bool morning, bool noon, bool evening) {
    if (morning && noon && evening) return "毎食";
    if (morning && noon) return "朝昼食";
    if (morning && evening) return "朝夕食";
    if (noon && evening) return "昼夕食";
    if (morning) return "朝食";
    if (noon) return "昼食";
    if (evening) return "夕食";
    return "";
}

const char* mealSuffix(std::uint8_t meal) {
    switch (meal) {
        case leaflet::kBeforeMeals:
            return "前";
        case leaflet::kBetweenMeals:
            return "間";
        case leaflet::kAfterMeals:
            return "後";
        default:
            return "";
    }
}

}  // namespace

std::string composeUsageText(const std::uint8_t (&timings)[leaflet::kTimingCount],
                             std::uint8_t meal) {
    using namespace leaflet;
    const bool waking = timings[kWaking] != 0;
    const bool morning = timings[kMorning] != 0;
    const bool noon = timings[kNoon] != 0;
    const bool evening = timings[kEvening] != 0;
    const bool bedtime = timings[kBedtime] != 0;
    const int count = waking + morning + noon + evening + bedtime;
    if (count == 0) return {};

    static const char* const kCounts[] = {"１日１回", "１日２回", "１日３回", "１日４回",
                                          "１日５回"};
    std::string text = kCounts[count - 1];
    const bool meals = morning || noon || evening;
    if (!waking && !meals && bedtime) {
        text += "  寝る前に服用";
    } else if (waking && !meals && !bedtime) {
        text += "  起床時に服用";
    } else if (meal != kNoMeal) {
        if (waking) {
            text += "  起床時";
            if (meals) text += "・";
        } else {
            text += "  ";
        }
        text += mealWord(morning, noon, evening);
        if (meals) text += mealSuffix(meal);
        text += bedtime ? "・寝る前に服用" : "に服用";
    }
    return sjis::fromUtf8(text);
}

}  // namespace dosage
