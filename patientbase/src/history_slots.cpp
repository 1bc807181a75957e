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

std::vector<Stamp> newestFirst(const SlotStamps& slots) {
    std::vector<Stamp> stamps;
    for (const auto& s : slots)
        if (s) stamps.push_back(*s);
    std::stable_sort(stamps.begin(), stamps.end(),
                     [](const Stamp& a, const Stamp& b) { return a.order() > b.order(); });
    return stamps;
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

}  // namespace patientbase
