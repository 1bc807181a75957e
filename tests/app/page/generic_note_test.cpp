// The generic-drug information's lines and the exact difference per day.
#include <gtest/gtest.h>

#include "entry_builder.h"
#include "page/generic_note.h"
#include "sjis/sjis.h"

namespace {

DrugGenericFacts factsOf(int found, int generic, long long price, long long lowest) {
    DrugGenericFacts facts{};
    facts.found = found;
    facts.generic = generic;
    sjis::copyField(facts.unit, sizeof facts.unit, sjis::fromUtf8("錠"));
    facts.price = price;
    facts.lowestGenericPrice = lowest;
    return facts;
}

TEST(GenericNote, DifferencePerDayIsExactUntilTheLastRounding) {
    struct Case {
        const char* name;
        long long price, lowest;
        const char* amount;
        long long yen;  // -1: no figure
    };
    const Case cases[] = {
        {"whole tablets", 950, 570, "4", 15},               // 15.20
        {"half rounds up", 1010, 580, "1.5", 6},            // 6.45
        {"below a half rounds down", 1010, 590, "1", 4},    // 4.20
        {"a half yen rounds up", 1050, 1000, "1", 1},       // 0.50
        {"thirds of a yen stay exact", 3333, 0, "3", 100},  // 99.99
        {"not an amount", 950, 570, "1回", -1},
        {"empty", 950, 570, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leaflet::dailyDifferenceYen(c.price, c.lowest, c.amount).value_or(-1), c.yen);
    }
}

TEST(GenericNote, LinesByWhatTheMasterTells) {
    const DrugRecord tablets =
        EntryBuilder().form("錠").timings({0, 1, 0, 1, 0}).usage("１日２回  朝夕食後").build();
    const DrugRecord asNeeded = EntryBuilder().form("錠").usage("発熱時に頓服").build();
    struct Case {
        const char* name;
        DrugGenericFacts facts;
        const DrugRecord& entry;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"no master row", factsOf(0, 0, 950, 570), tablets, {}},
        {"a generic", factsOf(1, 1, 570, -1), tablets, {"後発医薬品"}},
        {"a brand without generics", factsOf(1, 0, 950, -1), tablets, {}},
        {"a brand with generics, two tablets a day",
         factsOf(1, 0, 950, 570),
         tablets,
         {"後発医薬品があります", "最安 5.70円／錠", "1日あたり約8円の差額"}},
        {"taken when needed: no day's amount",
         factsOf(1, 0, 1205, 1000),
         asNeeded,
         {"後発医薬品があります", "最安 10.00円／錠"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines;
        for (const std::string& line : leaflet::genericNoteLines(c.facts, c.entry))
            lines.push_back(sjis::toUtf8(line));
        EXPECT_EQ(lines, c.lines);
    }
}

}  // namespace
