// The stored text of a history block: what the patient library keeps in a history slot, 4,110
// bytes with no zero byte inside.
//
// Every zero byte of the block is written as "$" and every "$" read back as a zero byte. The
// texts never hold a "$" (entries keep "＄"), but a setting byte (a timing amount, the meal
// timing, the reserved byte or a list position) can be 36, which is "$". A record holding such a
// byte is written marked: the bytes that end its texts, zero in every record, then carry the
// mark and which of its nine setting bytes hold 36. Records without one are written as they
// always were, so texts stored before the mark existed read back unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "leaflet/history_block.h"

namespace leaflet {

inline constexpr std::size_t kStoredHistoryLength = sizeof(HistoryBlock);

// The 4,110-character stored text of a block whose texts end within their fields, as
// buildHistoryBlock makes them.
std::string historyText(const HistoryBlock& block);

// The block back from its stored text. A shorter text leaves the rest of the block zero; bytes
// past 4,110 are ignored.
HistoryBlock historyBlockFromText(std::string_view stored);

}  // namespace leaflet
