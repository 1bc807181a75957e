#include "prescriptionfill/catalogue_source.h"

#include <algorithm>

#include "prescription/drug_matcher.h"

namespace prescription {

std::optional<CatalogueDrug> CatalogueSource::byYjCode(std::string_view yjCode) const {
    DrugRecord record{};
    if (catalogue_.detail(std::string(yjCode), record) != data::DataResult::kDone)
        return std::nullopt;
    return CatalogueDrug{record.YJCODE, record.PRODUCTNAME, record.ZAIKEI, record.CODE};
}

const std::vector<data::DrugRow>& CatalogueSource::rows() const {
    if (!listed_) {
        catalogue_.list(data::DrugOrder::ByName, rows_);
        listed_ = true;
    }
    return rows_;
}

template <class Wanted>
std::vector<CatalogueDrug> CatalogueSource::listed(Wanted&& wanted) const {
    std::vector<CatalogueDrug> found;
    for (const data::DrugRow& row : rows()) {
        if (!wanted(row)) continue;
        std::optional<CatalogueDrug> drug = byYjCode(row.yjcode);
        found.push_back(drug ? *drug : CatalogueDrug{row.yjcode, row.name, "", row.code});
    }
    return found;
}

std::vector<CatalogueDrug> CatalogueSource::byYjPrefix(std::string_view prefix) const {
    std::vector<CatalogueDrug> found =
        listed([&](const data::DrugRow& row) { return row.yjcode.starts_with(prefix); });
    std::stable_sort(
        found.begin(), found.end(),
        [](const CatalogueDrug& a, const CatalogueDrug& b) { return a.yjCode < b.yjCode; });
    return found;
}

std::vector<CatalogueDrug> CatalogueSource::byNameKey(std::string_view key) const {
    if (nameKeys_.empty()) {
        for (const data::DrugRow& row : rows()) nameKeys_.push_back(nameKey(row.name));
    }
    return listed([&](const data::DrugRow& row) { return nameKeys_[&row - rows_.data()] == key; });
}

std::optional<CodeMapEntry> CatalogueSource::byReceiptCode(std::string_view receiptCode) const {
    DrugCodeMapEntry entry{};
    if (catalogue_.codeMapEntry(std::string(receiptCode), entry) != data::DataResult::kDone)
        return std::nullopt;
    return CodeMapEntry{entry.YJCODE, entry.generalNameCode, entry.generalName};
}

}  // namespace prescription
