// The drug file as the drug matcher sees it: catalogue lookups and the code map over the
// program's catalogue face. The catalogue's list is read once, on the first lookup that needs
// it, so matching the drugs of one prescription walks the file once. A lookup that fails has
// been reported by the library and finds nothing.
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
    const std::vector<data::DrugRow>& rows() const;
    // The listed rows that `wanted` picks, with their dosage forms read.
    template <class Wanted>
    std::vector<CatalogueDrug> listed(Wanted&& wanted) const;

    const data::DrugCatalogue& catalogue_;
    mutable std::vector<data::DrugRow> rows_;
    mutable std::vector<std::string> nameKeys_;  // of rows_, made on the first name lookup
    mutable bool listed_ = false;
};

}  // namespace prescription
