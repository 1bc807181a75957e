// Which history slot a store, a recall or a deletion works on, decided from the slots' stamps.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "register_columns.h"
#include "stamp_text.h"

namespace patientbase {

// The stamps of slots 0 .. 19; an empty slot has none.
using SlotStamps = std::array<std::optional<Stamp>, kSlotCount>;

// The slot a new block goes into: the lowest empty slot, else the one with the oldest stamp
// (the lowest slot among equal oldest stamps).
int slotToStore(const SlotStamps& slots);

// The stamp of a store at `clock`: the clock, or one second after the patient's newest stamp
// when that is the same second or later, so a patient's stamps stay unique and ordered even
// when a clock was ahead before or two stores fall within one second.
Stamp stampToStore(const SlotStamps& slots, const Stamp& clock);

// The stamps of the used slots, newest first; among equal stamps the lower slot first.
std::vector<Stamp> newestFirst(const SlotStamps& slots);
// The used slots in that order.
std::vector<int> slotsNewestFirst(const SlotStamps& slots);

// `slot` when it is a slot (0 .. 19) holding a stamp with this slot time text, else -1.
int slotHolding(const SlotStamps& slots, int slot, std::string_view slotTimeText);

// The slot whose stamp has this slot time text (the highest such slot), or -1.
int slotToRecall(const SlotStamps& slots, std::string_view slotTimeText);

// The slot whose stamp has this slot key text (the lowest such slot), or -1.
int slotToDelete(const SlotStamps& slots, std::string_view slotKeyText);

// Whether a stored history text has a record for the drug `yjcode`: the text is 30 records of
// 137 bytes, each beginning with a YJ code field of 25 bytes whose zero bytes are stored as "$".
bool blockUsesDrug(std::string_view block, std::string_view yjcode);
// The number of records of a stored history text that name a drug.
int drugsInBlock(std::string_view block);

}  // namespace patientbase
