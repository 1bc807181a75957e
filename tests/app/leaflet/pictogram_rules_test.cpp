// The rules that pick a print-list entry's usage pictograms, one row per rule.
#include "leaflet/pictogram_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "entry_builder.h"
#include "leaflet/page_geometry.h"

namespace {

using P = leaflet::Pictogram;

TEST(PictogramRules, EachRulePicksItsPictures) {
    struct Case {
        const char* name;
        DrugRecord entry;
        std::vector<P> expected;
    };
    const Case cases[] = {
        {"no timing, no text", EntryBuilder().usage("医師の指示通り").build(), {}},
        {"amounts",
         EntryBuilder().timings({1, 2, 100, 1, 1}).build(),
         {P::kWaking, P::kMorning, P::kNoon, P::kEvening, P::kBedtime}},
        {"timing words",
         EntryBuilder().usage("起床時と朝・昼・夕").build(),
         {P::kWaking, P::kMorning, P::kNoon, P::kEvening}},
        {"bedtime word", EntryBuilder().usage("就寝前に服用").build(), {P::kBedtime}},
        {"meal timing",
         EntryBuilder().timings({0, 1}).meal(leaflet::kBeforeMeals).build(),
         {P::kMorning, P::kBeforeMeals}},
        {"between meals",
         EntryBuilder().timings({0, 0, 1}).meal(leaflet::kBetweenMeals).build(),
         {P::kNoon, P::kBetweenMeals}},
        {"meal timing without amounts", EntryBuilder().meal(leaflet::kAfterMeals).build(), {}},
        {"meal word", EntryBuilder().usage("毎食後に").build(), {P::kAfterMeals}},
        {"as needed", EntryBuilder().usage("頓用").build(), {P::kAsNeeded}},
        {"fever", EntryBuilder().usage("発熱時").build(), {P::kAsNeeded, P::kFever}},
        {"pain", EntryBuilder().usage("痛い時に").build(), {P::kAsNeeded, P::kPain}},
        {"sleeplessness",
         EntryBuilder().usage("眠れないとき").build(),
         {P::kAsNeeded, P::kSleeplessness}},
        {"constipation", EntryBuilder().usage("便秘時").build(), {P::kAsNeeded, P::kConstipation}},
        {"patch form", EntryBuilder().form("貼付剤").build(), {P::kPatch}},
        {"ointment form", EntryBuilder().form("クリーム").build(), {P::kOintment}},
        {"ointment word", EntryBuilder().usage("患部に塗布").build(), {P::kOintment}},
        {"eye drops name", EntryBuilder().name("見本点眼液").form("液").build(), {P::kEyeDrops}},
        {"inhaler form", EntryBuilder().form("吸入剤").build(), {P::kInhaler}},
        {"gargle form", EntryBuilder().form("含嗽剤").build(), {P::kGargle}},
        {"gargle word", EntryBuilder().usage("うがいする").build(), {P::kGargle}},
        {"suppository form", EntryBuilder().form("坐剤").build(), {P::kSuppository}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leaflet::pictogramsOf(c.entry), c.expected);
    }
}

// Strips of five pictures make the row taller by three lines each, measured as drawn.
TEST(PictogramRules, StripsOfFiveMakeTheRowTaller) {
    for (const auto& [entry, strips] :
         {std::pair{EntryBuilder().timings({1, 1, 1, 1, 1}).build(), 1},
          {EntryBuilder().timings({1, 1, 1, 1, 1}).usage("食後").build(), 2}}) {
        SCOPED_TRACE(strips);
        const int plain = leaflet::measuredRowLines(entry);
        EXPECT_EQ(leaflet::drawnRowLines(entry), plain);
        EXPECT_EQ(leaflet::measuredRowLines(entry, {true}), plain + 3 * strips);
        EXPECT_EQ(leaflet::drawnRowLines(entry, {true}), plain + 3 * strips);
    }
}

}  // namespace
