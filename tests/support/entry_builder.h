// Print-list entries for tests, written in UTF-8 and stored as CP932.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "cp932_texts.h"
#include "leaflet/print_entry.h"

class EntryBuilder {
  public:
    EntryBuilder& yjcode(std::string_view code) { return put(entry_.YJCODE, code); }
    EntryBuilder& name(std::string_view utf8) { return put(entry_.PRODUCTNAME, utf8); }
    EntryBuilder& form(std::string_view utf8) { return put(entry_.ZAIKEI, utf8); }
    EntryBuilder& efficacy(std::string_view utf8) { return put(entry_.SAYOA, utf8); }
    EntryBuilder& caution(std::string_view utf8) { return put(entry_.CYUUI, utf8); }
    // Dosage texts go in as the windows put them: through setEntryText.
    EntryBuilder& usage(std::string_view utf8) { return text(d_.usageText, utf8); }
    EntryBuilder& amount(std::string_view utf8) { return text(d_.amountText, utf8); }
    EntryBuilder& days(std::string_view utf8) { return text(d_.daysText, utf8); }
    EntryBuilder& timings(std::initializer_list<int> amounts) {
        int i = 0;
        for (int a : amounts) d_.timings[i++] = static_cast<std::uint8_t>(a);
        return *this;
    }
    EntryBuilder& meal(int meal) {
        d_.mealTiming = static_cast<std::uint8_t>(meal);
        return *this;
    }
    DrugRecord build() {
        leaflet::setDosage(entry_, d_);
        return entry_;
    }

  private:
    template <std::size_t N>
    EntryBuilder& put(char (&f)[N], std::string_view utf8) {
        sjis::copyField(f, N, cp932(utf8));
        return *this;
    }
    template <std::size_t N>
    EntryBuilder& text(char (&f)[N], std::string_view utf8) {
        leaflet::setEntryText(f, cp932(utf8));
        return *this;
    }
    DrugRecord entry_{};
    leaflet::DosageSettings d_{};
};
