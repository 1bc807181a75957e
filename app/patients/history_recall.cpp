#include "patients/history_recall.h"

#include <memory>

#include "drugs/detail_texts.h"
#include "leaflet/history_text.h"
#include "patients/patient_texts.h"
#include "sjis/sjis.h"

namespace patients {

std::string missingDrugsText(const std::vector<std::string>& yjcodes) {
    std::string text = kDrugsLeftOut.text;
    for (std::size_t i = 0; i < yjcodes.size(); ++i) text += (i ? "、" : "") + yjcodes[i];
    return text;
}

HistoryRecall::HistoryRecall(const data::PatientRegister& patients,
                             const data::DrugCatalogue& drugs, std::filesystem::path programFolder)
    : patients_(patients), catalogue_(drugs), programFolder_(std::move(programFolder)) {}

void HistoryRecall::clear() {
    block_ = {};
    drugs_.clear();
}

bool HistoryRecall::recall(int patientId, const data::HistoryEntry& entry) {
    clear();
    std::string stored;
    const data::DataResult read = patients_.historyText(patientId, entry, stored);
    if (read != data::DataResult::kDone) return read != data::DataResult::kFailed;
    block_ = leaflet::historyBlockFromText(stored);
    // A drug no longer in the catalogue is still listed with its dosage, named by its code.
    drugs_.fillFromHistory(block_, [this](const char* yjcode, DrugRecord& record, QImage&) {
        if (catalogue_.detail(yjcode, record) == data::DataResult::kNotFound)
            sjis::copyField(record.PRODUCTNAME, sizeof record.PRODUCTNAME,
                            sjis::fromUtf8(kDrugNotInCatalogue + std::string(yjcode)));
        return true;
    });
    return true;
}

bool HistoryRecall::transferTo(desk::Desk& desk, QWidget* owner) const {
    leaflet::HistoryBlock kept = block_;
    const auto missing = leaflet::dropGoneDrugs(kept, [this](const std::string& yjcode) {
        DrugRecord drug{};
        switch (catalogue_.detail(yjcode, drug)) {
            case data::DataResult::kDone:
                return leaflet::DrugPresence::kPresent;
            case data::DataResult::kNotFound:
                return leaflet::DrugPresence::kGone;
            case data::DataResult::kFailed:
                break;
        }
        return leaflet::DrugPresence::kUnreadable;
    });
    if (!missing) return false;
    // Filled aside first, so a drug that cannot be read leaves the operator's list whole.
    auto filled = std::make_unique<leaflet::PrintList>();
    const bool done = filled->fillFromHistory(
        kept, [this](const char* yjcode, DrugRecord& record, QImage& photo) {
            if (catalogue_.detail(yjcode, record) != data::DataResult::kDone) return false;
            drugs::removeMarks(record.CYUUI, sizeof record.CYUUI);
            record.photoFlag = catalogue_.drawPhoto(yjcode, programFolder_, photo) ? 1 : 0;
            return true;
        });
    if (!done) return false;
    desk.setList(*filled);
    if (!missing->empty())
        desk.prompts.message(owner, QString::fromStdString(missingDrugsText(*missing)),
                             QString::fromUtf8(kDrugsLeftOut.title), ui::Icon::Warning);
    return true;
}

}  // namespace patients
