// The timing spins, the group buttons and the meal timing, applied to a current entry.
#include "dosage/timing_rules.h"

#include <gtest/gtest.h>

#include "entry_builder.h"

namespace {

using dosage::DosageControls;
using dosage::GroupButton;
using dosage::Notice;

std::string usageOf(const DrugRecord& e) {
    return sjis::toUtf8(leaflet::field(leaflet::dosageOf(e).usageText));
}
std::string amountOf(const DrugRecord& e) {
    return sjis::toUtf8(leaflet::field(leaflet::dosageOf(e).amountText));
}
int timing(const DrugRecord& e, int t) {
    return leaflet::dosageOf(e).timings[t];
}

constexpr DosageControls kAuto{true, leaflet::kAfterMeals};
constexpr DosageControls kManual{false, leaflet::kAfterMeals};

TEST(TimingSpin, AutomaticUsageFollowsEverySpin) {
    DrugRecord entry = EntryBuilder().form("錠").build();
    int position = 2;
    EXPECT_EQ(dosage::spinMoved(entry, kAuto, leaflet::kMorning, position), Notice::kNone);
    EXPECT_EQ(position, 2);
    position = 2;
    dosage::spinMoved(entry, kAuto, leaflet::kEvening, position);
    EXPECT_EQ(timing(entry, leaflet::kMorning), 2);
    EXPECT_EQ(usageOf(entry), "１日２回  朝夕食後に服用");
    EXPECT_EQ(amountOf(entry), "用量　１回２錠");
    EXPECT_EQ(leaflet::dosageOf(entry).mealTiming, leaflet::kAfterMeals);
}

TEST(TimingSpin, WithoutAutomaticUsageTheEntryWaitsForConfirmation) {
    DrugRecord entry = EntryBuilder().form("錠").usage("手入力").build();
    int position = 3;
    EXPECT_EQ(dosage::spinMoved(entry, kManual, leaflet::kNoon, position), Notice::kNone);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(timing(entry, leaflet::kNoon), 0);
    EXPECT_EQ(usageOf(entry), "手入力");
}

TEST(TimingSpin, BelowZeroIsReportedAndComesBackAsZero) {
    DrugRecord entry = EntryBuilder().form("錠").timings({0, 1, 0, 0, 0}).build();
    int position = -1;
    EXPECT_EQ(dosage::spinMoved(entry, kAuto, leaflet::kMorning, position), Notice::kBelowZero);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(timing(entry, leaflet::kMorning), 0);
    EXPECT_EQ(usageOf(entry), "");
}

TEST(TimingSpin, NotForTakingFormsKeepNoTimings) {
    DrugRecord entry = EntryBuilder().form("坐剤").usage("１日１回 肛門内に挿入").build();
    int position = 1;
    EXPECT_EQ(dosage::spinMoved(entry, kAuto, leaflet::kNoon, position), Notice::kNotForTaking);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(timing(entry, leaflet::kNoon), 0);
    EXPECT_EQ(usageOf(entry), "１日１回 肛門内に挿入") << "the usage text is left alone";
    EXPECT_EQ(dosage::setTiming(entry, kAuto, leaflet::kNoon, 1), Notice::kNotForTaking);
    EXPECT_EQ(timing(entry, leaflet::kNoon), 0);
    EXPECT_EQ(dosage::pressGroupButton(entry, kAuto, GroupButton::kMorningNoon),
              Notice::kNotForTaking);
    EXPECT_EQ(timing(entry, leaflet::kMorning), 0);
}

TEST(TimingAmountText, ZeroFallsBackToTheMorningAmountAndHalvesLeaveItAlone) {
    DrugRecord entry = EntryBuilder().form("カプセル").build();
    dosage::setTiming(entry, kAuto, leaflet::kMorning, 3);
    EXPECT_EQ(amountOf(entry), "用量　１回３カプセル");
    dosage::setTiming(entry, kAuto, leaflet::kNoon, 0);
    EXPECT_EQ(amountOf(entry), "用量　１回３カプセル") << "0 stands for the morning amount";
    dosage::setTiming(entry, kAuto, leaflet::kEvening, 101);
    EXPECT_EQ(amountOf(entry), "用量　１回３カプセル") << "a half amount changes nothing";
    dosage::setTiming(entry, kAuto, leaflet::kMorning, 0);
    EXPECT_EQ(amountOf(entry), "") << "no morning amount: no amount text";
}

TEST(GroupButtons, RaiseTheirTimingsByOneUpToFifty) {
    DrugRecord entry = EntryBuilder().form("錠").timings({0, 50, 101, 0, 0}).build();
    dosage::pressGroupButton(entry, kAuto, GroupButton::kMorningNoonEvening);
    EXPECT_EQ(timing(entry, leaflet::kMorning), 50);
    EXPECT_EQ(timing(entry, leaflet::kNoon), 101) << "a half amount is not raised";
    EXPECT_EQ(timing(entry, leaflet::kEvening), 1);
    EXPECT_EQ(amountOf(entry), "用量　１回５０錠");

    DrugRecord fresh = EntryBuilder().form("錠").build();
    dosage::pressGroupButton(fresh, kManual, GroupButton::kMorningEvening);
    dosage::pressGroupButton(fresh, kManual, GroupButton::kMorningNoon);
    EXPECT_EQ(timing(fresh, leaflet::kMorning), 2);
    EXPECT_EQ(timing(fresh, leaflet::kNoon), 1);
    EXPECT_EQ(timing(fresh, leaflet::kEvening), 1);
    EXPECT_EQ(usageOf(fresh), "") << "no automatic usage";
    EXPECT_EQ(amountOf(fresh), "用量　１回２錠") << "the amount text follows anyway";
}

TEST(GroupButtons, ResetEmptiesTimingsAndTexts) {
    DrugRecord entry = EntryBuilder().form("坐剤").timings({1, 1, 0, 0, 0}).build();
    EXPECT_EQ(dosage::pressGroupButton(entry, kAuto, GroupButton::kReset), Notice::kNone)
        << "reset is allowed for any form";
    for (int t = 0; t < leaflet::kTimingCount; ++t) EXPECT_EQ(timing(entry, t), 0);

    DrugRecord tablets = EntryBuilder().form("錠").build();
    dosage::pressGroupButton(tablets, kAuto, GroupButton::kMorningNoonEvening);
    dosage::pressGroupButton(tablets, kAuto, GroupButton::kReset);
    EXPECT_EQ(usageOf(tablets), "");
    EXPECT_EQ(amountOf(tablets), "");
}

TEST(MealTiming, ChoosingItRecomposesWhenAutomatic) {
    DrugRecord entry = EntryBuilder().form("錠").timings({0, 1, 0, 1, 0}).build();
    dosage::mealChosen(entry, {false, leaflet::kBeforeMeals});
    EXPECT_EQ(usageOf(entry), "");
    dosage::mealChosen(entry, {true, leaflet::kBeforeMeals});
    EXPECT_EQ(usageOf(entry), "１日２回  朝夕食前に服用");
    EXPECT_EQ(amountOf(entry), "用量　１回１錠");
    EXPECT_EQ(leaflet::dosageOf(entry).mealTiming, leaflet::kBeforeMeals);
}

TEST(NewEntry, StartsAfterMealsWithTheFormsDefaultAmount) {
    DrugRecord entry =
        EntryBuilder().form("貼付剤").timings({1, 1, 1, 1, 1}).listPositions(4, 5).build();
    dosage::beginNewEntry(entry);
    const leaflet::DosageSettings d = leaflet::dosageOf(entry);
    EXPECT_EQ(d.mealTiming, leaflet::kAfterMeals);
    EXPECT_EQ(d.amountListPosition, 0);
    EXPECT_EQ(d.daysListPosition, 0);
    for (int t = 0; t < leaflet::kTimingCount; ++t) EXPECT_EQ(d.timings[t], 0);
    EXPECT_EQ(amountOf(entry), "１回１枚");
}

TEST(TimingEditText, WholeAndHalfAmounts) {
    EXPECT_EQ(dosage::timingEditText(0), " 0");
    EXPECT_EQ(dosage::timingEditText(12), " 12");
    EXPECT_EQ(dosage::timingEditText(100), "0.5");
    EXPECT_EQ(dosage::timingEditText(105), "5.5");
}

}  // namespace
