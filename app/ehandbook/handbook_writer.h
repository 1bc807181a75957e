// The e-medication-handbook text (JAHIS TC, version record "JAHISTC08") of one dispensing:
// CP932, fields separated by ",", every record ended by CR LF, in the format's record order.
#pragma once

#include <string>
#include <string_view>

#include "ehandbook/handbook_input.h"

namespace ehandbook {

inline constexpr std::string_view kVersionRecord = "JAHISTC08,1\r\n";

// The whole text: the version record (output kind 1: from a pharmacy to the patient); the
// patient (1) when name, sex and birth date are known, and the patient's notes (2); the
// dispensing date (5), the pharmacy (11) and the pharmacist (15) when known; the prescribing
// institution (51) and doctor (55) of a prescription code, or a typed prescriber as the doctor
// (55) alone; then one RP per group of drugs with equal usage, days and form, in the order their
// first drug comes: each drug (201, with its amount text as a note 281), then the usage (301,
// and 311 for the rest of a long usage and for a days text that is not a count of days or
// doses). Texts of records 2, 281 and 311 are never cut: a long one continues in further
// records of the same number. Names are cut to their byte limit at a character boundary.
std::string handbookText(const HandbookInput& input);

}  // namespace ehandbook
