// The stored text of a history block: what the patient library keeps in a history slot, 4,110
// bytes with no zero byte inside.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "leaflet/history_block.h"

namespace leaflet {

inline constexpr std::size_t kStoredHistoryLength = sizeof(HistoryBlock);

// The 4,110-character stored text: the block with every zero byte written as "$".
std::string historyText(const HistoryBlock& block);

// The block back from its stored text: every "$" becomes a zero byte. A shorter text leaves
// the rest of the block zero; bytes past 4,110 are ignored.
HistoryBlock historyBlockFromText(std::string_view stored);

}  // namespace leaflet
