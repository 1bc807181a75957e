// The drugs the pharmacist kept from a read prescription appended to the print list, each read
// from the catalogue with its photograph, as the dosage window adds a drug, and given the
// dosage taken from its RP for the product dispensed; each entry keeps the drug record's amount
// and unit and the RP's form for the handbook code.
#pragma once

#include <filesystem>
#include <vector>

#include "data/drug_catalogue.h"
#include "desk/desk.h"
#include "prescription/catalogue_lookup.h"
#include "prescription/prescription.h"

namespace intake {

struct ChosenDrug {
    const prescription::Rp* rp = nullptr;
    const prescription::Drug* drug = nullptr;
    prescription::CatalogueDrug product;
};

struct FillResult {
    bool read = true;        // false when a drug could not be read: the list is left as it was
    int added = 0;           // entries appended
    int leftOutForRoom = 0;  // drugs past the print list's capacity
};

FillResult appendChosen(const std::vector<ChosenDrug>& chosen, const data::DrugCatalogue& catalogue,
                        const std::filesystem::path& programFolder, desk::Desk& desk);

}  // namespace intake
