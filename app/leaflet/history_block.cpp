#include "leaflet/history_block.h"

#include <algorithm>
#include <cstring>

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace leaflet {

namespace {

HistoryRecord recordOf(const DrugRecord& entry) {
    const DosageSettings dosage = dosageOf(entry);
    HistoryRecord record{};
    sjis::copyField(record.yjcode, sizeof record.yjcode, field(entry.YJCODE));
    std::memcpy(record.timings, dosage.timings, sizeof record.timings);
    record.mealTiming = dosage.mealTiming;
    record.reserved = dosage.reserved;
    record.amountListPosition = dosage.amountListPosition;
    record.daysListPosition = dosage.daysListPosition;
    sjis::copyField(record.amountText, sizeof record.amountText, field(dosage.amountText));
    sjis::copyField(record.daysText, sizeof record.daysText, field(dosage.daysText));
    sjis::copyField(record.usageText, sizeof record.usageText, field(dosage.usageText));
    return record;
}

}  // namespace

HistoryBlock buildHistoryBlock(std::span<const DrugRecord> entries) {
    HistoryBlock block{};
    const std::size_t n = std::min<std::size_t>(entries.size(), kHistoryRecords);
    for (std::size_t i = 0; i < n; ++i) block[i] = recordOf(entries[i]);
    return block;
}

void applyHistoryRecord(const HistoryRecord& record, DrugRecord& entry) {
    sjis::copyField(entry.YJCODE, sizeof entry.YJCODE, field(record.yjcode));
    DosageSettings dosage = dosageOf(entry);
    std::memcpy(dosage.timings, record.timings, sizeof dosage.timings);
    dosage.mealTiming = record.mealTiming;
    dosage.reserved = record.reserved;
    dosage.amountListPosition = record.amountListPosition;
    dosage.daysListPosition = record.daysListPosition;
    setEntryText(dosage.amountText, field(record.amountText));
    setEntryText(dosage.daysText, field(record.daysText));
    setEntryText(dosage.usageText, field(record.usageText));
    setDosage(entry, dosage);
}

std::optional<std::vector<std::string>> dropGoneDrugs(
    HistoryBlock& block, const std::function<DrugPresence(const std::string& yjcode)>& presence) {
    std::vector<std::string> gone;
    for (HistoryRecord& record : block) {
        if (record.yjcode[0] == '\0') continue;
        const std::string yjcode(field(record.yjcode));
        const DrugPresence found = presence(yjcode);
        if (found == DrugPresence::kUnreadable) return std::nullopt;
        if (found == DrugPresence::kPresent) continue;
        gone.push_back(yjcode);
        record = HistoryRecord{};
    }
    return gone;
}

}  // namespace leaflet
