// Print-list entries for tests, written in UTF-8 and stored as CP932.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

inline std::string cp932(std::string_view utf8) {
    return sjis::fromUtf8(utf8);
}

class EntryBuilder {
  public:
    EntryBuilder& yjcode(std::string_view code) { return text(entry_.YJCODE, code); }
    EntryBuilder& name(std::string_view utf8) { return text(entry_.PRODUCTNAME, utf8); }
    EntryBuilder& form(std::string_view utf8) { return text(entry_.ZAIKEI, utf8); }
    EntryBuilder& efficacy(std::string_view utf8) { return text(entry_.SAYOA, utf8); }
    EntryBuilder& caution(std::string_view utf8) { return text(entry_.CYUUI, utf8); }
    EntryBuilder& usage(std::string_view utf8) {
        return dosage([&](auto& d) { leaflet::setEntryText(d.usageText, cp932(utf8)); });
    }
    EntryBuilder& amount(std::string_view utf8) {
        return dosage([&](auto& d) { leaflet::setEntryText(d.amountText, cp932(utf8)); });
    }
    EntryBuilder& days(std::string_view utf8) {
        return dosage([&](auto& d) { leaflet::setEntryText(d.daysText, cp932(utf8)); });
    }
    EntryBuilder& timings(std::initializer_list<int> amounts) {
        return dosage([&](auto& d) {
            int i = 0;
            for (int a : amounts) d.timings[i++] = static_cast<std::uint8_t>(a);
        });
    }
    EntryBuilder& meal(int meal) {
        return dosage([&](auto& d) { d.mealTiming = static_cast<std::uint8_t>(meal); });
    }
    EntryBuilder& listPositions(int amount, int days) {
        return dosage([&](auto& d) {
            d.amountListPosition = static_cast<std::uint8_t>(amount);
            d.daysListPosition = static_cast<std::uint8_t>(days);
        });
    }
    DrugRecord build() const { return entry_; }

  private:
    template <std::size_t N>
    EntryBuilder& text(char (&f)[N], std::string_view utf8) {
        sjis::copyField(f, N, cp932(utf8));
        return *this;
    }
    template <typename F>
    EntryBuilder& dosage(F change) {
        leaflet::DosageSettings d = leaflet::dosageOf(entry_);
        change(d);
        leaflet::setDosage(entry_, d);
        return *this;
    }
    DrugRecord entry_{};
};

// A text of `bytes` bytes of half-width digits.
inline std::string digits(std::size_t bytes) {
    std::string s;
    for (std::size_t i = 0; i < bytes; ++i) s += static_cast<char>('0' + i % 10);
    return s;
}
