#include "intake/print_list_fill.h"

#include <memory>

#include "drugs/detail_texts.h"
#include "leaflet/print_entry.h"
#include "prescription/dosage_reading.h"

namespace intake {

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
        const bool drawn = catalogue.drawPhoto(c.product.yjCode, programFolder, photo);
        filled->append(record, drawn ? &photo : nullptr);
        ++result.added;
    }
    for (int i = first; i < filled->count(); ++i)
        desk.append(filled->entry(i),
                    filled->entry(i).photoFlag == 1 ? &filled->photo(i) : nullptr);
    return result;
}

}  // namespace intake
