#include "drugs/drug_edit.h"

#include <algorithm>
#include <cstring>

#include "drugs/drug_dialog_texts.h"
#include "sjis/sjis.h"

namespace drugs {
namespace {

template <std::size_t N>
std::string text(const char (&field)[N]) {
    return std::string(sjis::fieldText(field, N));
}

const Refusal kDatabaseFailed{texts::kDatabaseFailure, texts::kErrorTitle};

std::optional<Refusal> takenOrFailed(data::Presence presence, const char* takenText) {
    if (presence == data::Presence::kFailed) return kDatabaseFailed;
    if (presence == data::Presence::kPresent) return Refusal{takenText, texts::kWarningTitle};
    return std::nullopt;
}

// Makes the record's YJ code as typedYjcode does; refuses one not of the form.
std::optional<Refusal> takeTypedYjcode(DrugRecord& record) {
    const std::string yjcode = typedYjcode(yjcodeOf(record));
    if (!yjcodeFormFits(yjcode)) return Refusal{texts::kYjcodeForm, texts::kWarningTitle};
    sjis::copyField(record.YJCODE, sizeof record.YJCODE, yjcode);
    return std::nullopt;
}

std::optional<Refusal> stored(data::DataResult result) {
    if (result == data::DataResult::kFailed) return kDatabaseFailed;
    return std::nullopt;
}

}  // namespace

std::string yjcodeOf(const DrugRecord& record) {
    return text(record.YJCODE);
}
std::string codeOf(const DrugRecord& record) {
    return text(record.CODE);
}
std::string nameOf(const DrugRecord& record) {
    return text(record.PRODUCTNAME);
}

std::string typedYjcode(std::string_view cp932) {
    std::string code = sjis::toHalfWidth(cp932);
    for (char& c : code)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return code;
}

bool yjcodeFormFits(std::string_view yjcode) {
    constexpr std::size_t kYjcodeLength = 12;
    return yjcode.size() == kYjcodeLength && std::all_of(yjcode.begin(), yjcode.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
           });
}

ListChange listChange(const DrugRecord& before, const DrugRecord& after, data::DrugOrder order) {
    const bool nameChanged = nameOf(before) != nameOf(after);
    const bool codeChanged = codeOf(before) != codeOf(after);
    const bool yjcodeChanged = yjcodeOf(before) != yjcodeOf(after);
    // The row's place depends only on the column the list is sorted by.
    if (order == data::DrugOrder::ByName ? nameChanged : codeChanged) return ListChange::Move;
    if (nameChanged || codeChanged || yjcodeChanged) return ListChange::Relabel;
    return ListChange::None;
}

int placeDrug(DrugListModel& list, int row, ListChange change, const DrugRecord& drug,
              data::DrugOrder order, const data::DrugCatalogue& catalogue) {
    const DrugListModel::Row texts{codeOf(drug), nameOf(drug), yjcodeOf(drug)};
    if (change == ListChange::None) return row;
    if (change == ListChange::Relabel) {
        list.relabel(row, texts);
        return row;
    }
    int position = -1;
    if (catalogue.position(texts.yjcode, order, position) != data::DataResult::kDone ||
        position < 0) {
        list.fill(order);
        return list.findYjCode(texts.yjcode);
    }
    list.removeDrug(row);
    return list.insertDrug(position, texts);
}

int refreshPrintEntries(leaflet::PrintList& printList, const DrugRecord& drug) {
    int changed = 0;
    for (int i = 0; i < printList.count(); ++i) {
        DrugRecord entry = printList.entry(i);
        if (yjcodeOf(entry) != yjcodeOf(drug)) continue;
        entry.SAYO_HYOUJI = drug.SAYO_HYOUJI;
        entry.CYUUI_HYOUJI = drug.CYUUI_HYOUJI;
        std::memcpy(entry.SAYO_TOROKU, drug.SAYO_TOROKU, sizeof entry.SAYO_TOROKU);
        std::memcpy(entry.SAYOA, drug.SAYOA, sizeof entry.SAYOA);
        std::memcpy(entry.CYUUI_TOROKU, drug.CYUUI_TOROKU, sizeof entry.CYUUI_TOROKU);
        std::memcpy(entry.CYUUI, drug.CYUUI, sizeof entry.CYUUI);
        const QImage photo = printList.photo(i);  // a copy: the entry's own is overwritten
        printList.replace(i, entry, entry.photoFlag == 1 ? &photo : nullptr);
        ++changed;
    }
    return changed;
}

std::optional<Refusal> missingField(const DrugRecord& record, DrugDialogMode mode) {
    if (nameOf(record).empty()) return Refusal{texts::kNameMissing, texts::kRequiredTitle};
    if (yjcodeOf(record).empty())
        return Refusal{mode == DrugDialogMode::Register ? texts::kYjcodeMissingOnRegister
                                                        : texts::kYjcodeMissing,
                       texts::kRequiredTitle};
    if (codeOf(record).empty()) return Refusal{texts::kCodeMissing, texts::kRequiredTitle};
    return std::nullopt;
}

std::optional<Refusal> storeCorrection(const data::DrugCatalogue& catalogue, DrugRecord& record,
                                       const std::string& oldYjcode) {
    if (auto missing = missingField(record, DrugDialogMode::Correct)) return missing;
    // A code left as it was read is kept, whatever its form.
    if (yjcodeOf(record) != oldYjcode)
        if (auto refused = takeTypedYjcode(record)) return refused;
    if (auto refused =
            takenOrFailed(catalogue.codeInUseByOther(codeOf(record), oldYjcode), texts::kCodeTaken))
        return refused;
    // A new YJ code must stay the key of one drug: every lookup and photograph goes by it.
    if (yjcodeOf(record) != oldYjcode)
        if (auto refused =
                takenOrFailed(catalogue.yjcodeInUse(yjcodeOf(record)), texts::kYjcodeTaken))
            return refused;
    return stored(catalogue.change(record, oldYjcode, data::DrugChange::kAllFields));
}

std::optional<Refusal> storeRegistration(const data::DrugCatalogue& catalogue, DrugRecord& record) {
    if (auto missing = missingField(record, DrugDialogMode::Register)) return missing;
    if (auto refused = takeTypedYjcode(record)) return refused;
    if (auto refused = takenOrFailed(catalogue.yjcodeInUse(yjcodeOf(record)), texts::kYjcodeTaken))
        return refused;
    if (auto refused = takenOrFailed(catalogue.codeInUse(codeOf(record)), texts::kCodeTaken))
        return refused;
    return stored(catalogue.add(record));
}

}  // namespace drugs
