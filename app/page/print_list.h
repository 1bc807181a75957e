// The print list: the drugs of the next leaflet, at most 30, each a print-list entry with its
// 140 x 105 entry photograph. Entries at or past count() are all zero.
#pragma once

#include <QImage>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "drugbase.h"
#include "ehandbook/handbook_input.h"
#include "leaflet/history_block.h"
#include "leaflet/print_entry.h"

namespace leaflet {

inline constexpr int kPhotoWidth = 140;
inline constexpr int kPhotoHeight = 105;

// What a prescription code said of an entry's drug, so that the handbook code repeats it
// exactly: the amount and unit of its drug record and the form of its RP.
struct Prescribed {
    std::string amount;                       // half-width digits as written, e.g. "1.5"
    std::string unit;                         // CP932, e.g. "錠"
    std::optional<ehandbook::FormCode> form;  // none when the RP did not give its form
};

class PrintList {
  public:
    static constexpr int kCapacity = kPrintListCapacity;

    PrintList();

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return count_ == kCapacity; }

    const DrugRecord& entry(int position) const { return entries_[position]; }
    const QImage& photo(int position) const { return photos_[position]; }
    std::span<const DrugRecord> entries() const { return {entries_.data(), std::size_t(count_)}; }
    std::span<const QImage> photos() const { return {photos_.data(), std::size_t(count_)}; }
    std::span<const std::optional<Prescribed>> prescribed() const {
        return {prescribed_.data(), std::size_t(count_)};
    }

    // Adds `entry` at position count(). With a photograph (its top-left 140 x 105 pixels are
    // taken) the photo flag becomes 1, without one 0. The entry texts pass through
    // setEntryText. `prescribed` travels with the entry. False, changing nothing, when the
    // list is full.
    bool append(const DrugRecord& entry, const QImage* photograph,
                std::optional<Prescribed> prescribed = std::nullopt);

    // Overwrites the entry at `position` as append would write it. What its prescription said
    // stays while the drug and its dosage settings stay as they were (a catalogue correction)
    // and is dropped when they change (the operator's 用法の変更). False for a position not in
    // use.
    bool replace(int position, const DrugRecord& entry, const QImage* photograph);

    // Removes the entry at `position`; later entries and their photographs move down one place.
    // A position not in use (such as -1 for "no row selected") changes nothing.
    void remove(int position);

    // Zeroes every entry.
    void clear();

    // Fetches one recalled drug by YJ code into `record` and, when the drug has a photograph,
    // draws it into `photo` (140 x 105) and returns with record.photoFlag 1. Returns false when
    // the drug could not be read.
    using RecallDrug = std::function<bool(const char* yjcode, DrugRecord& record, QImage& photo)>;

    // Replaces the list with the drugs of a history block: each used record, in order, becomes
    // the next entry, its drug fetched by `fetch` and its dosage settings taken from the record.
    // When a fetch fails the list is left empty and false is returned.
    bool fillFromHistory(const HistoryBlock& block, const RecallDrug& fetch);

  private:
    void store(int position, const DrugRecord& entry, const QImage* photograph);

    std::array<DrugRecord, kCapacity> entries_{};
    std::array<QImage, kCapacity> photos_;
    std::array<std::optional<Prescribed>, kCapacity> prescribed_;
    int count_ = 0;
};

}  // namespace leaflet
