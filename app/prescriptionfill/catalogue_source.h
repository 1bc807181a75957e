// The drug file as the drug matcher sees it: catalogue lookups and the code map over the
// program's catalogue face. Every lookup is a few ranges on an index of the drug file, so
// matching the drugs of one prescription reads only the drugs it finds. A lookup that fails
// has been reported by the library and finds nothing.
#pragma once

#include <vector>

#include "data/drug_catalogue.h"
#include "prescription/catalogue_lookup.h"

namespace prescription {

class CatalogueSource : public CatalogueLookup, public CodeMap {
  public:
    explicit CatalogueSource(const data::DrugCatalogue& catalogue) : catalogue_(catalogue) {}

    std::optional<CatalogueDrug> byYjCode(std::string_view yjCode) const override;
    std::vector<CatalogueDrug> byYjPrefix(std::string_view prefix) const override;
    std::vector<CatalogueDrug> byNameKey(std::string_view key) const override;
    std::optional<CodeMapEntry> byReceiptCode(std::string_view receiptCode) const override;

  private:
    std::vector<data::DrugBrief> startingWith(data::StartOf column,
                                              const std::vector<std::string>& prefixes) const;

    const data::DrugCatalogue& catalogue_;
};

// The starts of every product name that can have `key` as its name key: each way of spelling
// the key's first `depth` characters in either width, with spaces of either width among them.
std::vector<std::string> namePrefixes(std::string_view key, int depth);

}  // namespace prescription
