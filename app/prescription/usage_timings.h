// The timings a usage text (用法名称) names: 起床 (waking), 朝, 昼, 夕, 寝る前/就寝前/眠前
// (bedtime), 毎食 (morning, noon and evening), and its meal timing: 食前/食直前 before meals,
// 食後/食直後 after meals, 食間 between meals.
#pragma once

#include <cstdint>
#include <string_view>

#include "leaflet/print_entry.h"

namespace prescription {

struct UsageTimings {
    bool slots[leaflet::kTimingCount] = {};
    // leaflet::MealTiming; kNoMeal when the text names no meal timing or two different ones.
    std::uint8_t meal = leaflet::kNoMeal;

    int count() const;
};

// `usage` is CP932.
UsageTimings timingsOfUsage(std::string_view usage);

}  // namespace prescription
