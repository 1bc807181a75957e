#include <gtest/gtest.h>

#include "history_slots.h"
#include "sjis/sjis.h"
#include "stamp_text.h"

using namespace patientbase;

namespace {

Stamp at(const char* stored) {
    const auto s = parseStored(stored);
    EXPECT_TRUE(s) << stored;
    return s.value_or(Stamp{});
}

}  // namespace

TEST(StampText, TheThreeFormsOfAMorningStamp) {
    const Stamp s = at("2009-03-07 09:05:03");
    EXPECT_EQ(sjis::toUtf8(listForm(s)), "2009年03月07日 09:05:03");
    EXPECT_EQ(slotTimeText(s), "2009/03/07 09:05:03");
    EXPECT_EQ(slotKeyText(s), "2009/03/07 9:05:03");
    EXPECT_EQ(storedForm(s), "2009-03-07 09:05:03");
    const Stamp evening = at("2024-12-31 23:59:59");
    EXPECT_EQ(slotKeyText(evening), "2024/12/31 23:59:59");
    EXPECT_EQ(slotKeyText(at("2024-01-01 00:00:00")), "2024/01/01 0:00:00");
}

TEST(StampText, OnlyValidStoredStampsCount) {
    EXPECT_TRUE(parseStored("2024-02-29 12:00:00"));
    for (const char* bad : {"", "2023-02-29 12:00:00", "2024-13-01 00:00:00", "2024-04-31 00:00:00",
                            "2024-01-01 24:00:00", "2024-01-01 00:60:00", "2024/01/01 00:00:00",
                            "2024-01-01 00:00:00.5", "2024-1-01 00:00:00", "0000-01-01 00:00:00",
                            "2024-01-01T00:00:00", "20240101000000", "-024-01-01 00:00:00"})
        EXPECT_FALSE(parseStored(bad)) << bad;
}

TEST(StampText, NowIsAValidStampThatOrdersAsTimePasses) {
    const Stamp a = now();
    EXPECT_TRUE(parseStored(storedForm(a)));
    EXPECT_LE(a.order(), now().order());
    EXPECT_LT(at("2009-12-31 23:59:59").order(), at("2010-01-01 00:00:00").order());
}

TEST(HistorySlots, StoreTakesTheLowestEmptySlotElseTheOldestLowest) {
    SlotStamps slots{};
    EXPECT_EQ(slotToStore(slots), 0);
    for (int i = 0; i < kSlotCount; ++i) slots[i] = at("2020-01-02 00:00:00");
    slots[7] = at("2020-01-01 00:00:00");
    slots[12] = at("2020-01-01 00:00:00");
    EXPECT_EQ(slotToStore(slots), 7);
    slots[3].reset();
    slots[15].reset();
    EXPECT_EQ(slotToStore(slots), 3);
}

TEST(HistorySlots, ListIsNewestFirstWithEqualStampsKept) {
    SlotStamps slots{};
    slots[0] = at("2020-01-01 09:00:00");
    slots[5] = at("2021-06-01 08:00:00");
    slots[9] = at("2020-01-01 09:00:00");
    slots[19] = at("2020-12-31 23:00:00");
    const auto list = newestFirst(slots);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(storedForm(list[0]), "2021-06-01 08:00:00");
    EXPECT_EQ(storedForm(list[1]), "2020-12-31 23:00:00");
    EXPECT_EQ(list[2], list[3]);
    EXPECT_TRUE(newestFirst(SlotStamps{}).empty());
}

TEST(HistorySlots, RecallTakesTheHighestAndDeletionTheLowestEqualSlot) {
    SlotStamps slots{};
    slots[2] = at("2009-03-07 09:05:03");
    slots[6] = at("2009-03-07 09:05:03");
    slots[8] = at("2009-03-07 19:05:03");
    EXPECT_EQ(slotToRecall(slots, "2009/03/07 09:05:03"), 6);
    EXPECT_EQ(slotToDelete(slots, "2009/03/07 9:05:03"), 2);
    EXPECT_EQ(slotToDelete(slots, "2009/03/07 09:05:03"), -1);  // the key has no leading zero
    EXPECT_EQ(slotToRecall(slots, "2009/03/07 9:05:03"), -1);
    EXPECT_EQ(slotToRecall(slots, ""), -1);
    EXPECT_EQ(slotToDelete(slots, ""), -1);
    EXPECT_EQ(slotToDelete(slots, "2009/03/07 19:05:03"), 8);
}
