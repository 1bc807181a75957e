// Splitting a handbook text over several QR symbols. A text within one symbol's budget stays
// whole. A longer one is split between records: every part begins with the version record and
// ends with a split record 911 holding the output's 14-digit data ID, the number of parts and
// its own number (from 1); the bodies of the parts, in order, are the records of the whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ehandbook {

// Bytes one symbol carries comfortably for every reader in use.
inline constexpr std::size_t kSymbolBudget = 1800;

// The data ID of an output made at this local time: YYYYMMDDhhmmss.
std::string dataIdAt(int year, int month, int day, int hour, int minute, int second);

// The parts of `text` (records ended by CR LF, the first the version record), each at most
// `budget` bytes. Empty when the text does not start with the version record, does not end
// with CR LF, `dataId` is not 14 digits, or a record cannot fit a part.
std::vector<std::string> splitHandbookText(std::string_view text, std::string_view dataId,
                                           std::size_t budget = kSymbolBudget);

}  // namespace ehandbook
