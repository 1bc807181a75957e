// The e-medication-handbook input of a leaflet, and the register data it takes from a patient.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "drugbase.h"
#include "ehandbook/handbook_input.h"
#include "leaflet/leaflet_header.h"
#include "page/print_list.h"
#include "patientbase.h"

namespace ehandbook {

// The patient named in the header, with the register data the header carries (allergy and
// side-effect histories as notes 1 and 2); the dispensing on `date` (YYYYMMDD) by the header's
// pharmacy, pharmacist and prescriber; one drug per print-list entry in order: its product name,
// amount and unit, YJ code, amount, usage and days texts, and its dispensing form. An entry
// `prescribed` by a code gives the code's amount, unit and form exactly; the others are derived
// (handbook_amount.h).
HandbookInput leafletHandbookInput(
    const leaflet::LeafletHeader& header, std::span<const DrugRecord> entries,
    std::string_view date, std::span<const std::optional<leaflet::Prescribed>> prescribed = {});

// The data a leaflet takes from a registered patient: the sex, the birth date (from the era
// date, when complete and valid) and the allergy and side-effect histories.
leaflet::RegisteredPatient registeredPatient(const PatientRecord& patient);

}  // namespace ehandbook
