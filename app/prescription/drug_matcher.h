// Finds the catalogue drug of each prescribed drug and says how it was found; nothing is
// guessed silently. By code kind: 4 (YJ) by the YJ code; 2 (レセ電) through the code map to
// its YJ code; 7 (一般名) offers the catalogue drugs whose YJ code starts with the same nine
// characters, for the pharmacist to choose the product dispensed; every other kind, and a
// code that finds nothing, by the drug name with full-/half-width and spaces ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "prescription/catalogue_lookup.h"
#include "prescription/prescription.h"

namespace prescription {

enum class MatchMethod {
    kUnmatched,        // the pharmacist picks the drug with the drug search
    kYjCode,           // code kind 4
    kReceiptCode,      // code kind 2 through the code map
    kGeneralNameCode,  // code kind 7: candidates sharing the first nine characters
    kName,             // the normalised drug name
};

struct DrugMatch {
    MatchMethod method = MatchMethod::kUnmatched;
    // The drug found; absent while several candidates wait for the pharmacist's choice.
    std::optional<CatalogueDrug> drug;
    // For kGeneralNameCode, and for kName when several drugs have the name.
    std::vector<CatalogueDrug> candidates;
};

// The key names are compared by: the CP932 name made half-width, without spaces.
std::string nameKey(std::string_view name);

// How an entry was matched, as the intake shows it (UTF-8), e.g. "YJコード",
// "一般名コード（候補3件）", "未照合".
std::string matchDescription(const DrugMatch& match);

class DrugMatcher {
  public:
    DrugMatcher(const CatalogueLookup& catalogue, const CodeMap& codeMap)
        : catalogue_(catalogue), codeMap_(codeMap) {}

    DrugMatch match(const Drug& drug) const;

  private:
    std::optional<CatalogueDrug> byReceiptCode(std::string_view code) const;
    DrugMatch byName(std::string_view name) const;

    const CatalogueLookup& catalogue_;
    const CodeMap& codeMap_;
};

}  // namespace prescription
