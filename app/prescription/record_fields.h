// The fields of one record line and what a field holds: the record text has no quotes, so a
// comma always separates fields (a comma byte is never the second byte of a CP932 character).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prescription {

using Fields = std::vector<std::string>;

// The fields of `line`, each without the half-width spaces around it.
Fields splitFields(std::string_view line);

// The field at `index`, or "" when the record is shorter.
std::string_view fieldAt(const Fields& fields, std::size_t index);

// Only ASCII digits, at least one.
bool isDigits(std::string_view text);

// The value of a field of up to nine digits; nullopt for anything else (an empty field too).
std::optional<int> toNumber(std::string_view text);

// A number as an amount field writes it: digits with an optional fraction, or "n/m".
bool isAmount(std::string_view text);

// A single digit among `allowed`, e.g. a code kind.
bool isDigitOf(std::string_view text, std::string_view allowed);

// A code of type X: ASCII letters, digits, "." and "-", at least one.
bool isCode(std::string_view text);

// Text that can stand where a name or a unit word is written: not empty and not a number.
bool isWord(std::string_view text);

}  // namespace prescription
