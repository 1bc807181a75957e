// Dates of a prescription code (birth date, date of issue): YYYYMMDD or an era date GYYMMDD
// (G: 1 明治, 2 大正, 3 昭和, 4 平成, 5 令和), a birth date also without its day or month.
#pragma once

#include <optional>
#include <string_view>

#include "prescription/prescription.h"

namespace prescription {

// nullopt for anything that is not one of the forms or not a date of the calendar.
std::optional<PartialDate> readDate(std::string_view text);

}  // namespace prescription
