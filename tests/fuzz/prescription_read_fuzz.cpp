// Fuzz target: any bytes as the text of a prescription code, read and turned into the dosage
// of every drug, and as a drug master file.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "prescription/dosage_reading.h"
#include "prescription/drug_master.h"
#include "prescription/prescription_reader.h"
#include "sjis/sjis.h"

namespace {

using namespace prescription;

bool validUtf8(const std::string& text) {
    return sjis::validUtf8Length(text) == text.size();
}

// Every text within its field, every timing an amount the dosage window can show.
void checkDosage(const leaflet::DosageSettings& s) {
    if (sjis::fieldText(s.usageText, sizeof s.usageText).size() >= sizeof s.usageText ||
        sjis::fieldText(s.amountText, sizeof s.amountText).size() >= sizeof s.amountText ||
        sjis::fieldText(s.daysText, sizeof s.daysText).size() >= sizeof s.daysText)
        std::abort();
    for (std::uint8_t t : s.timings) {
        const bool whole = t <= leaflet::kMaxWholeAmount;
        const bool half =
            t >= leaflet::kHalfBase && t <= leaflet::kHalfBase + leaflet::kMaxWholeAmount;
        if (!whole && !half) std::abort();
    }
    if (s.mealTiming > leaflet::kAfterMeals) std::abort();
}

void readAsPrescription(const std::string& bytes) {
    const ReadResult result = readPrescription(bytes);
    // Either a prescription with drugs or a message, never both.
    if (result.prescription.has_value() == !result.error.empty()) std::abort();
    if (!validUtf8(result.error)) std::abort();
    if (!result.prescription) return;
    for (const std::string& warning : result.prescription->warnings)
        if (!validUtf8(warning)) std::abort();
    static const std::string tablet = sjis::fromUtf8("錠");
    for (const Rp& rp : result.prescription->rps) {
        for (const Drug& drug : rp.drugs) {
            // A drug without an amount is one the pharmacist is told to check.
            if (drug.amount.empty() && drug.checks.empty()) std::abort();
            for (const std::string& check : drug.checks)
                if (!validUtf8(check)) std::abort();
            checkDosage(dosageFor(rp, drug, tablet).settings);
            checkDosage(dosageFor(rp, drug, {}).settings);
        }
    }
}

void readAsDrugMaster(const std::string& bytes) {
    std::istringstream in(bytes);
    MasterReader reader(in);
    MasterRow row;
    while (reader.next(row))
        if (row.receiptCode.size() != 9) std::abort();
    if (!validUtf8(reader.error())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readAsPrescription(bytes);
    readAsDrugMaster(bytes);
    return 0;
}
