// The generic-drug information's lines and the exact difference per day.
#include <gtest/gtest.h>

#include "entry_builder.h"
#include "page/generic_note.h"
#include "sjis/sjis.h"

namespace {

TEST(GenericNote, DifferencePerDayIsExactUntilTheLastRounding) {
    struct Case {
        const char* name;
        long long price, lowest;
        const char* amount;
        long long yen;  // -1: no figure
    };
    const Case cases[] = {{"15.20", 950, 570, "4", 15},
                          {"6.45", 1010, 580, "1.5", 6},
                          {"4.20", 1010, 590, "1", 4},
                          {"0.50 up", 1050, 1000, "1", 1},
                          {"99.99 not 99.9", 3333, 0, "3", 100},
                          {"not an amount", 950, 570, "1回", -1},
                          {"empty", 950, 570, "", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leaflet::dailyDifferenceYen(c.price, c.lowest, c.amount).value_or(-1), c.yen);
    }
}

TEST(GenericNote, LinesByWhatTheMasterTells) {
    const DrugRecord twiceADay = EntryBuilder().form("錠").timings({0, 1, 0, 1, 0}).build();
    const DrugRecord asNeeded = EntryBuilder().form("錠").usage("発熱時に頓服").build();
    struct Case {
        const char* name;
        DrugGenericFacts facts;  // found, generic, unit (錠), price, lowest generic price
        const DrugRecord& entry;
        const char* lines;  // joined by "|"
    };
    const Case cases[] = {
        {"no master row", {0, 0, {}, 950, 570}, twiceADay, ""},
        {"a generic", {1, 1, {}, 570, -1}, twiceADay, "後発医薬品"},
        {"a brand without generics", {1, 0, {}, 950, -1}, twiceADay, ""},
        {"two tablets a day",
         {1, 0, {}, 950, 570},
         twiceADay,
         "後発医薬品があります|最安 5.70円／錠|1日あたり約8円の差額"},
        {"no day's amount when needed",
         {1, 0, {}, 1205, 1010},
         asNeeded,
         "後発医薬品があります|最安 10.10円／錠"},
        {"a brand cheaper than its generics",
         {1, 0, {}, 560, 570},
         twiceADay,
         "後発医薬品があります|最安 5.70円／錠"},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        sjis::copyField(c.facts.unit, sizeof c.facts.unit, sjis::fromUtf8("錠"));
        std::string lines;
        for (const std::string& line : leaflet::genericNoteLines(c.facts, c.entry))
            lines += (lines.empty() ? "" : "|") + sjis::toUtf8(line);
        EXPECT_EQ(lines, c.lines);
    }
}

}  // namespace
