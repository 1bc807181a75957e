#include "history_slots.h"

#include <algorithm>

namespace patientbase {

int slotToStore(const SlotStamps& slots) {
    int oldest = 0;
    for (int i = 0; i < kSlotCount; ++i) {
        if (!slots[i]) return i;
        if (slots[i]->order() < slots[oldest]->order()) oldest = i;
    }
    return oldest;
}

Stamp stampToStore(const SlotStamps& slots, const Stamp& clock) {
    const Stamp* newest = nullptr;
    for (const auto& s : slots)
        if (s && (!newest || s->order() > newest->order())) newest = &*s;
    return newest && newest->order() >= clock.order() ? nextSecond(*newest) : clock;
}

std::vector<int> slotsNewestFirst(const SlotStamps& slots) {
    std::vector<int> used;
    for (int i = 0; i < kSlotCount; ++i)
        if (slots[i]) used.push_back(i);
    std::stable_sort(used.begin(), used.end(),
                     [&](int a, int b) { return slots[a]->order() > slots[b]->order(); });
    return used;
}

std::vector<Stamp> newestFirst(const SlotStamps& slots) {
    std::vector<Stamp> stamps;
    for (const int slot : slotsNewestFirst(slots)) stamps.push_back(*slots[slot]);
    return stamps;
}

int slotHolding(const SlotStamps& slots, int slot, std::string_view text) {
    const bool holds =
        slot >= 0 && slot < kSlotCount && slots[slot] && slotTimeText(*slots[slot]) == text;
    return holds ? slot : -1;
}

int slotToRecall(const SlotStamps& slots, std::string_view text) {
    for (int i = kSlotCount - 1; i >= 0; --i)
        if (slots[i] && slotTimeText(*slots[i]) == text) return i;
    return -1;
}

int slotToDelete(const SlotStamps& slots, std::string_view text) {
    for (int i = 0; i < kSlotCount; ++i)
        if (slots[i] && slotKeyText(*slots[i]) == text) return i;
    return -1;
}

namespace {

constexpr std::size_t kRecord = 137, kCodeField = 25;

// The YJ code of each record of a block, in order ("" for an empty record).
template <class OnCode>
void forEachCode(std::string_view block, OnCode&& onCode) {
    for (std::size_t at = 0; at + kCodeField <= block.size(); at += kRecord) {
        const std::string_view field = block.substr(at, kCodeField);
        onCode(field.substr(0, field.find_first_of(std::string_view("$\0", 2))));
    }
}

}  // namespace

bool blockUsesDrug(std::string_view block, std::string_view yjcode) {
    if (yjcode.empty() || yjcode.size() >= kCodeField) return false;
    bool uses = false;
    forEachCode(block, [&](std::string_view code) { uses = uses || code == yjcode; });
    return uses;
}

int drugsInBlock(std::string_view block) {
    int count = 0;
    forEachCode(block, [&](std::string_view code) { count += !code.empty(); });
    return count;
}

}  // namespace patientbase
