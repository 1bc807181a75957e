// The print-list intake of a read prescription as JSON (UTF-8), for checking a scanner and
// for tests: patient, prescriber, date, and per drug its code and name, the catalogue drug it
// was matched to and how, the five timing amounts, meal timing and the usage, amount and days
// texts.
#pragma once

#include <string>

#include "prescriptionfill/intake.h"

namespace admin {

std::string intakeJson(const prescription::Prescription& prescription,
                       const prescription::Intake& intake);

}  // namespace admin
