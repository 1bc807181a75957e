// The usage text composed from the timings and the meal timing.
#include "dosage/usage_text.h"

#include <gtest/gtest.h>

#include "sjis/sjis.h"

namespace {

// Timings in the order waking, morning, noon, evening, bedtime; the result in UTF-8.
std::string usage(std::initializer_list<int> t, int meal) {
    std::uint8_t timings[leaflet::kTimingCount] = {};
    std::copy(t.begin(), t.end(), timings);
    return sjis::toUtf8(dosage::composeUsageText(timings, static_cast<std::uint8_t>(meal)));
}

TEST(UsageText, MealWordsWithWakingAndBedtimeAndNoMealTiming) {
    EXPECT_EQ(usage({0, 1, 1, 1, 0}, 3), "１日３回  毎食後に服用");
    EXPECT_EQ(usage({0, 1, 1, 0, 0}, 1), "１日２回  朝昼食前に服用");
    EXPECT_EQ(usage({0, 2, 0, 2, 0}, 2), "１日２回  朝夕食間に服用");
    EXPECT_EQ(usage({0, 1, 0, 0, 0}, 3), "１日１回  朝食後に服用");
    EXPECT_EQ(usage({0, 0, 1, 0, 0}, 1), "１日１回  昼食前に服用");
    EXPECT_EQ(usage({0, 0, 101, 1, 0}, 3), "１日２回  昼夕食後に服用") << "a half amount counts";
    EXPECT_EQ(usage({1, 1, 0, 0, 1}, 3), "１日３回  起床時・朝食後・寝る前に服用");
    EXPECT_EQ(usage({1, 0, 0, 0, 1}, 3), "１日２回  起床時・寝る前に服用");
    EXPECT_EQ(usage({1, 1, 1, 1, 1}, 2), "１日５回  起床時・毎食間・寝る前に服用");
    // Single timings without a meal, and no meal timing.
    for (int meal = 0; meal <= 3; ++meal) {
        EXPECT_EQ(usage({0, 0, 0, 0, 1}, meal), "１日１回  寝る前に服用");
        EXPECT_EQ(usage({1, 0, 0, 0, 0}, meal), "１日１回  起床時に服用");
    }
    EXPECT_EQ(usage({0, 1, 0, 1, 0}, 0), "１日２回");
    EXPECT_EQ(usage({0, 0, 0, 0, 0}, 3), "");
}

}  // namespace
