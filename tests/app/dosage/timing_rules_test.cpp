// The timing spins, the group buttons and the meal timing, applied to a current entry.
#include "dosage/timing_rules.h"

#include <gtest/gtest.h>

#include "entry_builder.h"

namespace {

using dosage::GroupButton;
using dosage::Notice;
using namespace leaflet;

std::string usageOf(const DrugRecord& e) {
    return sjis::toUtf8(usageText(e));
}
std::string amountOf(const DrugRecord& e) {
    return sjis::toUtf8(amountText(e));
}
int timing(const DrugRecord& e, int t) {
    return dosageOf(e).timings[t];
}

constexpr dosage::DosageControls kAuto{true, kAfterMeals};
constexpr dosage::DosageControls kManual{false, kAfterMeals};

TEST(TimingSpin, AutomaticUsageFollowsSpinsBelowZeroComesBackAsZero) {
    DrugRecord entry = EntryBuilder().form("錠").build();
    for (int t : {kMorning, kEvening}) {
        int position = 2;
        EXPECT_EQ(dosage::spinMoved(entry, kAuto, t, position), Notice::kNone);
    }
    EXPECT_EQ(usageOf(entry), "１日２回  朝夕食後に服用");
    EXPECT_EQ(amountOf(entry), "用量　１回２錠");

    // Below zero: the message, and the spin and timing back at 0.
    int position = -1;
    EXPECT_EQ(dosage::spinMoved(entry, kAuto, kMorning, position), Notice::kBelowZero);
    EXPECT_EQ(position + timing(entry, kMorning), 0);
    EXPECT_EQ(usageOf(entry), "１日１回  夕食後に服用");

    position = 51;  // past the largest whole amount: held there
    dosage::spinMoved(entry, kAuto, kNoon, position);
    EXPECT_EQ(std::pair(position, timing(entry, kNoon)), std::pair(50, 50));
}

TEST(TimingSpin, WithoutAutomaticUsageTheAmountIsSetAndNoTextIsComposed) {
    DrugRecord manual = EntryBuilder().form("錠").usage("手入力").amount("用量　１回２錠").build();
    int position = 3;
    dosage::spinMoved(manual, kManual, kNoon, position);
    EXPECT_EQ(timing(manual, kNoon), 3) << "the entry holds what the spin shows";
    dosage::setTiming(manual, kManual, kMorning, 4);
    dosage::setTiming(manual, kManual, kEvening, 0);
    EXPECT_EQ(timing(manual, kMorning), 4);
    EXPECT_EQ(usageOf(manual), "手入力");
    EXPECT_EQ(amountOf(manual), "用量　１回２錠") << "the pharmacist's own amount text";
}

TEST(TimingSpin, NotForTakingFormsKeepNoTimings) {
    DrugRecord entry = EntryBuilder().form("坐剤").usage("１日１回 挿入").build();
    int position = 1;
    EXPECT_EQ(dosage::spinMoved(entry, kAuto, kNoon, position), Notice::kNotForTaking);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(dosage::setTiming(entry, kAuto, kNoon, 1), Notice::kNotForTaking);
    EXPECT_EQ(dosage::pressGroupButton(entry, kAuto, GroupButton::kMorningNoon),
              Notice::kNotForTaking);
    EXPECT_EQ(timing(entry, kNoon) + timing(entry, kMorning), 0);
    EXPECT_EQ(usageOf(entry), "１日１回 挿入") << "the usage text is left alone";
    EXPECT_EQ(dosage::pressGroupButton(entry, kAuto, GroupButton::kReset), Notice::kNone);
}

TEST(TimingAmountText, ZeroFallsBackToTheMorningAmountAndHalvesLeaveItAlone) {
    DrugRecord entry = EntryBuilder().form("カプセル").build();
    dosage::setTiming(entry, kAuto, kMorning, 3);
    dosage::setTiming(entry, kAuto, kNoon, 0);
    EXPECT_EQ(amountOf(entry), "用量　１回３カプセル") << "0 stands for the morning amount";
    dosage::setTiming(entry, kAuto, kEvening, 101);
    EXPECT_EQ(amountOf(entry), "用量　１回３カプセル") << "a half amount changes nothing";
    dosage::setTiming(entry, kAuto, kMorning, 0);
    EXPECT_EQ(amountOf(entry), "") << "no morning amount: no amount text";
}

TEST(GroupButtons, RaiseByOneUpToFiftyAndResetEmptiesEverything) {
    DrugRecord entry = EntryBuilder().form("錠").timings({0, 50, 101, 0, 0}).build();
    dosage::pressGroupButton(entry, kManual, GroupButton::kMorningNoonEvening);
    dosage::pressGroupButton(entry, kManual, GroupButton::kMorningEvening);
    EXPECT_EQ(timing(entry, kMorning), 50);
    EXPECT_EQ(timing(entry, kNoon), 101) << "a half amount is not raised";
    EXPECT_EQ(timing(entry, kEvening), 2);
    EXPECT_EQ(usageOf(entry), "") << "no automatic usage";
    EXPECT_EQ(amountOf(entry), "用量　１回５０錠") << "the amount text follows anyway";

    dosage::pressGroupButton(entry, kAuto, GroupButton::kReset);
    for (int t = 0; t < kTimingCount; ++t) EXPECT_EQ(timing(entry, t), 0);
    EXPECT_EQ(usageOf(entry) + amountOf(entry), "");
}

TEST(MealTimingAndNewEntry, MealRecomposesOnlyWhenAutomaticAndNewEntriesStartAfterMeals) {
    DrugRecord entry = EntryBuilder().form("錠").timings({0, 1, 0, 1, 0}).build();
    dosage::mealChosen(entry, {false, kBeforeMeals});
    EXPECT_EQ(usageOf(entry), "");
    dosage::mealChosen(entry, {true, kBeforeMeals});
    EXPECT_EQ(usageOf(entry), "１日２回  朝夕食前に服用");
    EXPECT_EQ(amountOf(entry), "用量　１回１錠");

    dosage::beginNewEntry(entry);
    EXPECT_EQ(dosageOf(entry).mealTiming, kAfterMeals);
    EXPECT_EQ(timing(entry, kMorning), 0);
    EXPECT_EQ(amountOf(entry), "１回１錠") << "the form's default";
    EXPECT_EQ(dosage::timingEditText(105), "5.5");
}

}  // namespace
