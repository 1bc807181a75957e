// The medication-history block: the drug list of one printed leaflet as 30 records of 137
// bytes. Its stored text is made in history_text.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "drugbase.h"

namespace leaflet {

inline constexpr int kHistoryRecords = 30;

// One record of the block, byte for byte. Unlike the entry's caller area the meal timing comes
// before the reserved byte.
struct HistoryRecord {
    char yjcode[25];  // empty = record unused
    std::uint8_t timings[5];
    std::uint8_t mealTiming;
    std::uint8_t reserved;
    std::uint8_t amountListPosition;
    std::uint8_t daysListPosition;
    char amountText[21];
    char daysText[21];
    char usageText[61];
};

static_assert(offsetof(HistoryRecord, timings) == 25);
static_assert(offsetof(HistoryRecord, mealTiming) == 30);
static_assert(offsetof(HistoryRecord, reserved) == 31);
static_assert(offsetof(HistoryRecord, amountListPosition) == 32);
static_assert(offsetof(HistoryRecord, daysListPosition) == 33);
static_assert(offsetof(HistoryRecord, amountText) == 34);
static_assert(offsetof(HistoryRecord, daysText) == 55);
static_assert(offsetof(HistoryRecord, usageText) == 76);
static_assert(sizeof(HistoryRecord) == 137);

using HistoryBlock = std::array<HistoryRecord, kHistoryRecords>;
static_assert(sizeof(HistoryBlock) == 4110);

// Record n from entry n of the print list; records past the entries are all zero. At most
// kHistoryRecords entries are taken.
HistoryBlock buildHistoryBlock(std::span<const DrugRecord> entries);

// Writes a record's YJ code and dosage settings into `entry`, leaving the rest of the drug
// record as it is. The texts pass through setEntryText.
void applyHistoryRecord(const HistoryRecord& record, DrugRecord& entry);

// What a look-up of a record's drug in the catalogue found.
enum class DrugPresence { kPresent, kGone, kUnreadable };

// Empties the records of `block` whose drug `presence` finds gone from the catalogue, so a
// recalled leaflet moves its other drugs, and gives their YJ codes in record order. Nothing when
// a look-up could not be read.
std::optional<std::vector<std::string>> dropGoneDrugs(
    HistoryBlock& block, const std::function<DrugPresence(const std::string& yjcode)>& presence);

}  // namespace leaflet
