#include "intake/print_list_fill.h"

#include <memory>
#include <optional>

#include "drugs/detail_texts.h"
#include "leaflet/print_entry.h"
#include "prescription/dosage_reading.h"
#include "sjis/sjis.h"

namespace intake {

namespace {

std::optional<ehandbook::FormCode> formCodeOf(prescription::FormKind kind) {
    using prescription::FormKind;
    switch (kind) {
        case FormKind::kInternal:
            return ehandbook::FormCode::kInternal;
        case FormKind::kAsNeeded:
            return ehandbook::FormCode::kAsNeeded;
        case FormKind::kExternal:
            return ehandbook::FormCode::kExternal;
        case FormKind::kInternalDrops:
            return ehandbook::FormCode::kInternalDrops;
        case FormKind::kInjection:
            return ehandbook::FormCode::kInjection;
        case FormKind::kMaterial:
            return ehandbook::FormCode::kMaterial;
        case FormKind::kUnknown:
            break;
    }
    return std::nullopt;
}

// The drug record's amount and unit and the RP's form, as the code wrote them; a potency
// amount says so in its unit when the handbook's 12-byte unit holds both.
leaflet::Prescribed prescribedOf(const prescription::Rp& rp, const prescription::Drug& drug) {
    constexpr std::size_t kUnitBytes = 12;
    static const std::string potency = sjis::fromUtf8("（力価）");
    std::string unit = drug.unit;
    if (drug.potency && unit.size() + potency.size() <= kUnitBytes) unit += potency;
    return {drug.amount.text(), unit, formCodeOf(rp.form)};
}

}  // namespace

FillResult appendChosen(const std::vector<ChosenDrug>& chosen, const data::DrugCatalogue& catalogue,
                        const std::filesystem::path& programFolder, desk::Desk& desk) {
    // Filled aside first, so a drug that cannot be read leaves the operator's list whole.
    auto filled = std::make_unique<leaflet::PrintList>(desk.printList());
    const int first = filled->count();
    FillResult result;
    for (const ChosenDrug& c : chosen) {
        if (filled->full()) {
            ++result.leftOutForRoom;
            continue;
        }
        DrugRecord record{};
        if (catalogue.detail(c.product.yjCode, record) != data::DataResult::kDone)
            return {false, 0, 0};
        drugs::removeMarks(record.CYUUI, sizeof record.CYUUI);
        leaflet::setDosage(record,
                           prescription::dosageFor(*c.rp, *c.drug, c.product.form).settings);
        QImage photo(leaflet::kPhotoWidth, leaflet::kPhotoHeight, QImage::Format_RGB32);
        const bool drawn = catalogue.drawPhoto(record, programFolder, photo);
        filled->append(record, drawn ? &photo : nullptr, prescribedOf(*c.rp, *c.drug));
        ++result.added;
    }
    for (int i = first; i < filled->count(); ++i)
        desk.append(filled->entry(i), filled->entry(i).photoFlag == 1 ? &filled->photo(i) : nullptr,
                    filled->prescribed()[i]);
    return result;
}

}  // namespace intake
