#include "patients/history_recall.h"

#include <cstring>
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

namespace {

// The YJ codes of the block's used records, in record order.
std::vector<std::string> drugCodes(const leaflet::HistoryBlock& block) {
    std::vector<std::string> codes;
    for (const leaflet::HistoryRecord& r : block)
        if (r.yjcode[0]) codes.emplace_back(r.yjcode, strnlen(r.yjcode, sizeof r.yjcode));
    return codes;
}

}  // namespace

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
    // The leaflet's drugs in one read. A drug no longer in the catalogue is still listed with
    // its dosage, named by its code.
    std::map<std::string, DrugRecord> found;
    const bool readable = catalogue_.details(drugCodes(block_), found) == data::DataResult::kDone;
    drugs_.fillFromHistory(block_, [&](const char* yjcode, DrugRecord& record, QImage&) {
        if (const auto drug = found.find(yjcode); drug != found.end())
            record = drug->second;
        else if (readable)
            sjis::copyField(record.PRODUCTNAME, sizeof record.PRODUCTNAME,
                            sjis::fromUtf8(kDrugNotInCatalogue + std::string(yjcode)));
        return true;
    });
    return true;
}

bool HistoryRecall::transferTo(desk::Desk& desk, QWidget* owner) const {
    leaflet::HistoryBlock kept = block_;
    // The drugs are read once, in one read, both to leave out the gone ones and to fill.
    std::map<std::string, DrugRecord> found;
    const bool readable = catalogue_.details(drugCodes(kept), found) == data::DataResult::kDone;
    const auto missing = leaflet::dropGoneDrugs(kept, [&](const std::string& yjcode) {
        if (!readable) return leaflet::DrugPresence::kUnreadable;
        return found.contains(yjcode) ? leaflet::DrugPresence::kPresent
                                      : leaflet::DrugPresence::kGone;
    });
    if (!missing) return false;
    // Filled aside first, so a drug that cannot be read leaves the operator's list whole.
    auto filled = std::make_unique<leaflet::PrintList>();
    const bool done =
        filled->fillFromHistory(kept, [&](const char* yjcode, DrugRecord& record, QImage& photo) {
            const auto drug = found.find(yjcode);
            if (drug == found.end()) return false;
            record = drug->second;
            drugs::removeMarks(record.CYUUI, sizeof record.CYUUI);
            record.photoFlag = catalogue_.drawPhoto(record, programFolder_, photo) ? 1 : 0;
            return true;
        });
    if (!done) return false;
    desk.setList(*filled);
    if (!missing->empty())
        desk.prompts.message(owner, QString::fromStdString(missingDrugsText(*missing)),
                             QString::fromUtf8(kDrugsLeftOut.title), ui::Icon::Warning);
    return true;
}

HistoryRecall::Transfer HistoryRecall::replacePrintList(desk::Desk& desk, QWidget* owner) const {
    if (!desk.printList().empty() &&
        !desk.prompts.askYesNo(owner, QString::fromUtf8(kAskReplacePrintList.text),
                               kAskReplacePrintList.title, ui::Icon::Warning, ui::Default::No))
        return Transfer::kDeclined;
    return transferTo(desk, owner) ? Transfer::kDone : Transfer::kFailed;
}

}  // namespace patients
