// Which usage pictograms a print-list entry gets: the pictures of when to take it (its timing
// amounts, meal timing and usage text), of taking it only when needed and on what trigger, and of
// how a drug not taken by mouth is used (its dosage form or usage text).
#pragma once

#include <string_view>
#include <vector>

#include "drugbase.h"

namespace leaflet {

// In the order a row shows them.
enum class Pictogram {
    kWaking,
    kMorning,
    kNoon,
    kEvening,
    kBedtime,
    kBeforeMeals,
    kAfterMeals,
    kBetweenMeals,
    kAsNeeded,
    kFever,
    kPain,
    kSleeplessness,
    kConstipation,
    kPatch,
    kOintment,
    kEyeDrops,
    kInhaler,
    kGargle,
    kSuppository,
    kCount
};

// The entry's pictograms, in the order above, each at most once.
std::vector<Pictogram> pictogramsOf(const DrugRecord& entry);

// The caption printed under a pictogram (UTF-8).
std::string_view pictogramCaption(Pictogram pictogram);

// The file name of a pictogram's picture, without folder and extension.
std::string_view pictogramName(Pictogram pictogram);

}  // namespace leaflet
