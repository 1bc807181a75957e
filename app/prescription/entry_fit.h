// The usage, amount and days texts of a prescribed drug put into the fixed fields of its
// print-list entry. A text that fits is kept whole. A longer text is cut at a character boundary,
// never inside a number, and ends in "…" as the leaflet's cut notes do; an amount or days text
// that would lose a number is left out entirely, since a shortened number reads as another
// number. Either way the drug gets a check that quotes the whole text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace prescription {

enum class EntryText { kUsage, kAmount, kDays };

// Puts `text` (CP932) into `field` of `width` bytes as leaflet::setEntryText does; returns the
// check (UTF-8) when the text had to be shortened or left out, nullopt when it fits.
std::optional<std::string> fitEntryText(char* field, std::size_t width, EntryText kind,
                                        std::string_view text);

template <std::size_t N>
std::optional<std::string> fitEntryText(char (&field)[N], EntryText kind, std::string_view text) {
    return fitEntryText(field, N, kind, text);
}

}  // namespace prescription
