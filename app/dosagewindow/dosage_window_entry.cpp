// The dosage window's ways in and out of the print list: opening for a change, "OK" and
// "印刷リスト内の用法を適用".
#include <QComboBox>
#include <algorithm>
#include <cstring>

#include "dosage/amount_text.h"
#include "dosage/dosage_forms.h"
#include "dosagewindow/dosage_window.h"
#include "leaflet/leaflet_messages.h"
#include "ui/prompts.h"

namespace dosage {

namespace {

constexpr const char* kNoEntries = "印刷リストにデータ項目がありません。";
constexpr const char* kNoEntriesTitle = "データなし";
constexpr const char* kChooseEntry = "印刷リスト内の薬剤項目を選択して下さい。";
constexpr const char* kChooseEntryTitle = "選択";
constexpr const char* kEntryGone = "印刷リストが変更されたため、用法を変更できませんでした。";
constexpr const char* kEntryGoneTitle = "確認";

// The combo box item the operator chose, or 0xFF when the text was typed over it.
std::uint8_t listPosition(const QComboBox* combo) {
    const int index = combo->currentIndex();
    if (index < 0 || index > 0xFE || combo->itemText(index) != combo->currentText()) return 0xFF;
    return static_cast<std::uint8_t>(index);
}

bool anyTiming(const leaflet::DosageSettings& dosage) {
    return std::any_of(std::begin(dosage.timings), std::end(dosage.timings),
                       [](std::uint8_t t) { return t != 0; });
}

}  // namespace

int DosageWindow::selectedEntryOrSay() {
    const leaflet::PrintList& list = desk_.printList();
    if (list.empty()) {
        prompts_.message(this, kNoEntries, kNoEntriesTitle, ui::Icon::Information);
        return -1;
    }
    const int position = host_.firstSelectedEntry();
    if (position < 0 || position >= list.count()) {
        prompts_.message(this, kChooseEntry, kChooseEntryTitle, ui::Icon::Information);
        return -1;
    }
    return position;
}

void DosageWindow::openChangeEntry() {
    const leaflet::PrintList& list = desk_.printList();
    const int position = selectedEntryOrSay();
    if (position < 0) return;
    // The entry is remembered by place and drug: "OK" writes back there and nowhere else.
    changePosition_ = position;
    changeCode_ = leaflet::field(list.entry(position).YJCODE);
    entry_ = list.entry(position);
    // A copy: the list's own photograph is overwritten when the entry is stored back.
    if (entry_.photoFlag == 1) photo_ = list.photo(position).copy();
    showDosage(true);
}

bool DosageWindow::changeTargetKept() const {
    const leaflet::PrintList& list = desk_.printList();
    return changePosition_ >= 0 && changePosition_ < list.count() &&
           leaflet::field(list.entry(changePosition_).YJCODE) == changeCode_;
}

bool DosageWindow::reloadDrug() {
    DrugRecord record{};
    QImage photo;
    switch (host_.reloadSelectedDrug(record, photo)) {
        case DrugReload::kNoSelection:
            return true;
        case DrugReload::kReloaded:
            // The drug changes; the dosage settings made here stay.
            std::memcpy(record.callerArea, entry_.callerArea, sizeof record.callerArea);
            entry_ = record;
            photo_ = record.photoFlag == 1 ? photo : QImage();
            showDrugName();
            return true;
        case DrugReload::kNoDrugList:
        case DrugReload::kEmptyCode:
        case DrugReload::kFailed:
            break;
    }
    return false;
}

void DosageWindow::confirm() {
    if (mode_ == Mode::kNewEntry && !reloadDrug()) return;
    host_.clearSearchBoxes();

    for (int t = 0; t < leaflet::kTimingCount; ++t) applyTypedAmount(t);
    takeControls();
    leaflet::DosageSettings dosage = leaflet::dosageOf(entry_);
    dosage.reserved = 0;
    dosage.mealTiming = controls().mealSelection;
    dosage.amountListPosition = listPosition(amount_);
    dosage.daysListPosition = listPosition(days_);
    leaflet::setDosage(entry_, dosage);

    int target = desk_.printList().count();
    if (mode_ == Mode::kChange) {
        if (changePosition_ < 0) return;
        if (!changeTargetKept()) {
            prompts_.message(this, kEntryGone, kEntryGoneTitle, ui::Icon::Warning);
            reject();
            return;
        }
        target = changePosition_;
    }
    if (target >= leaflet::PrintList::kCapacity) {
        prompts_.message(this, QString::fromUtf8(leaflet::kPrintListFull.text),
                         QString::fromUtf8(leaflet::kPrintListFull.title), ui::Icon::Warning);
        reject();
        return;
    }
    if (anyTiming(dosage) && isNotForTaking(leaflet::field(entry_.ZAIKEI))) {
        notify(Notice::kNotForTaking);
        return;
    }

    const QImage* photo = entry_.photoFlag == 1 && !photo_.isNull() ? &photo_ : nullptr;
    if (mode_ == Mode::kNewEntry)
        desk_.append(entry_, photo);
    else
        desk_.replace(target, entry_, photo);
    host_.entryStored();
    accept();
}

void DosageWindow::applyFromList() {
    const leaflet::PrintList& list = desk_.printList();
    const int source = selectedEntryOrSay();
    if (source < 0) return;
    if (mode_ == Mode::kNewEntry && !reloadDrug()) return;

    takeControls();
    const leaflet::DosageSettings from = leaflet::dosageOf(list.entry(source));
    leaflet::DosageSettings dosage = leaflet::dosageOf(entry_);
    std::copy(std::begin(from.timings), std::end(from.timings), std::begin(dosage.timings));
    dosage.mealTiming = from.mealTiming;
    std::memcpy(dosage.usageText, from.usageText, sizeof dosage.usageText);
    std::memcpy(dosage.daysText, from.daysText, sizeof dosage.daysText);
    // The amount follows the morning amount for this drug's form; a half leaves it alone.
    const int morning = from.timings[leaflet::kMorning];
    const bool composed = morning >= 1 && morning <= leaflet::kMaxWholeAmount;
    if (composed)
        leaflet::setEntryText(dosage.amountText,
                              composeAmountText(morning, leaflet::field(entry_.ZAIKEI)));
    leaflet::setDosage(entry_, dosage);
    showDosage(composed);
}

}  // namespace dosage
