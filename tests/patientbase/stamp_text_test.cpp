#include <gtest/gtest.h>

#include "history_slots.h"
#include "sjis/sjis.h"

using namespace patientbase;

TEST(StampText, TheThreeFormsOfAStamp) {
    // The morning forms are checked through the history calls; here midnight and late evening.
    EXPECT_EQ(sjis::toUtf8(listForm(*parseStored("2024-01-01 00:00:00"))),
              "2024年01月01日 00:00:00");
    EXPECT_EQ(slotKeyText(*parseStored("2024-01-01 00:00:00")), "2024/01/01 0:00:00");
    EXPECT_EQ(slotKeyText(*parseStored("2024-12-31 23:59:59")), "2024/12/31 23:59:59");
    const Stamp now = patientbase::now();
    EXPECT_EQ(parseStored(storedForm(now)), now);
}

TEST(StampText, OnlyValidStoredStampsCount) {
    EXPECT_TRUE(parseStored("2024-02-29 12:00:00"));
    for (const char* bad : {"", "2023-02-29 12:00:00", "2024-13-01 00:00:00", "2024-04-31 00:00:00",
                            "2024-01-01 24:00:00", "2024-01-01 00:60:00", "2024/01/01 00:00:00",
                            "2024-01-01 00:00:00.5", "2024-1-01 00:00:00", "0000-01-01 00:00:00",
                            "2024-01-01T00:00:00", "-024-01-01 00:00:00"})
        EXPECT_FALSE(parseStored(bad)) << bad;
    EXPECT_LT(parseStored("2009-12-31 23:59:59")->order(),
              parseStored("2010-01-01 00:00:00")->order());
}

TEST(HistorySlots, AStoreTakesTheLowestEmptySlotElseTheLowestOfTheOldest) {
    const Stamp old = *parseStored("2020-01-01 10:00:00");
    const Stamp newer = *parseStored("2020-01-02 10:00:00");
    struct Case {
        const char* name;
        std::vector<int> oldSlots;  // the rest hold `newer`
        std::vector<int> emptySlots;
        int expected;
    };
    const Case cases[] = {
        {"an empty slot first", {0}, {7, 3}, 3},
        {"the one oldest", {11}, {}, 11},
        {"the lowest of equally old", {9, 4, 15}, {}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SlotStamps slots;
        slots.fill(newer);
        for (int i : c.oldSlots) slots[i] = old;
        for (int i : c.emptySlots) slots[i].reset();
        EXPECT_EQ(slotToStore(slots), c.expected);
    }
}

TEST(HistorySlots, AStoreIsStampedByTheClockOrOneSecondAfterTheNewest) {
    struct Case {
        const char* name;
        const char* newest;
        const char* clock;
        const char* expected;
    };
    // Past a day's, month's and year's end: through the history calls.
    for (const Case& c : {Case{"newest before the clock", "2024-05-01 09:59:59",
                               "2024-05-01 10:00:00", "2024-05-01 10:00:00"},
                          {"newest in the same second", "2024-05-01 10:00:00",
                           "2024-05-01 10:00:00", "2024-05-01 10:00:01"}}) {
        SCOPED_TRACE(c.name);
        SlotStamps slots;
        slots[3] = parseStored("2001-01-01 00:00:00");
        slots[12] = parseStored(c.newest);
        EXPECT_EQ(storedForm(stampToStore(slots, *parseStored(c.clock))), c.expected);
    }
}
