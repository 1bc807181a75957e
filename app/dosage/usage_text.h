// The usage text (用法) composed from the five timing amounts and the meal timing, e.g.
// "１日３回  毎食後に服用" or "１日２回  起床時・寝る前に服用".
#pragma once

#include <cstdint>
#include <string>

#include "leaflet/print_entry.h"

namespace dosage {

// CP932; empty when no timing is set. `meal` is a leaflet::MealTiming.
std::string composeUsageText(const std::uint8_t (&timings)[leaflet::kTimingCount],
                             std::uint8_t meal);

}  // namespace dosage
