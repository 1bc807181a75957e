// The dosage of a print-list entry from a prescribed drug: timings from the usage words, the
// amount per intake from 241, 221 or the daily amount, and the texts with their byte limits.
#include "prescription/dosage_reading.h"

#include <gtest/gtest.h>

#include "prescription/prescription_reader.h"
#include "prescription/usage_timings.h"
#include "sample_codes.h"

namespace {

using namespace prescription;

struct Entry {
    std::vector<int> timings;
    int meal = 0;
    std::string usage, amount, days;
    AmountSource source = AmountSource::kNone;
};

// The dosage of the first drug of the first RP of `rps`, for a catalogue drug of `form`.
Entry entryOf(const std::string& rps, const char* form = "錠") {
    const ReadResult read = readPrescription(samples::asCode(samples::withHeader(rps)));
    EXPECT_EQ(read.error, "");
    if (!read.prescription) return {};
    const Rp& rp = read.prescription->rps.front();
    const DrugDosage dosage = dosageFor(rp, rp.drugs.front(), sjis::fromUtf8(form));
    const leaflet::DosageSettings& s = dosage.settings;
    return {
        {std::begin(s.timings), std::end(s.timings)}, s.mealTiming,
        sjis::toUtf8(leaflet::field(s.usageText)),    sjis::toUtf8(leaflet::field(s.amountText)),
        sjis::toUtf8(leaflet::field(s.daysText)),     dosage.source};
}

TEST(DosageReading, DailyAmountDividedIntoTheNamedTimings) {
    Entry e = entryOf("101,1,1,,14\n111,1,1,,１日３回毎食後服用,3\n201,1,1,1,1,,薬,3,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 1, 1, 1, 0}));
    EXPECT_EQ(e.meal, leaflet::kAfterMeals);
    EXPECT_EQ(e.usage, "１日３回毎食後服用");
    EXPECT_EQ(e.amount, "用量　１回１錠");
    EXPECT_EQ(e.days, "１４日分");
    EXPECT_EQ(e.source, AmountSource::kDailyDivided);

    // Three tablets in two intakes: one and a half each; the times come from the words.
    e = entryOf("101,1,1,,7\n111,1,1,,朝夕食前,\n201,1,1,1,1,,薬,3,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 101, 0, 101, 0}));
    EXPECT_EQ(e.meal, leaflet::kBeforeMeals);
    EXPECT_EQ(e.amount, "用量　１回１．５錠");

    e = entryOf("101,1,1,,30\n111,1,1,,起床時及び就寝前,2\n201,1,1,1,1,,薬,2,1,カプセル\n");
    EXPECT_EQ(e.timings, (std::vector<int>{1, 0, 0, 0, 1}));
    EXPECT_EQ(e.meal, leaflet::kNoMeal);
    EXPECT_EQ(e.amount, "用量　１回１カプセル");
}

TEST(DosageReading, NoTimingsWhenTheAmountOrTheTimesDoNotFit) {
    // A third of a tablet per intake is neither whole nor half: the daily amount is written.
    Entry e = entryOf("101,1,1,,14\n111,1,1,,１日３回毎食後,3\n201,1,1,1,1,,薬,1,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１日１錠");
    EXPECT_EQ(e.source, AmountSource::kNone);
    // Two timings named for three intakes a day: the timings are not guessed.
    e = entryOf("101,1,1,,14\n111,1,1,,朝夕食後,3\n201,1,1,1,1,,薬,3,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１回１錠");
    // No timing words at all: the amount per intake without timings.
    e = entryOf("101,1,1,,14\n111,1,1,,１日２回,2\n201,1,1,1,1,,薬,2,1,ｇ\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１回１ｇ");
    // A catalogue form not taken by mouth gets no timings even in an internal RP.
    e = entryOf("101,1,1,,14\n111,1,1,,毎食後,3\n201,1,1,1,1,,薬,3,1,枚\n", "貼付剤");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    // Up to 50 units, whole or with a half, per intake are a timing; 51 are not.
    for (const auto& [amount, timing] : {std::pair{"50", 50}, {"50.5", 150}, {"51", 0}}) {
        e = entryOf("101,1,1,,14\n111,1,1,,朝食後,1\n201,1,1,1,1,,薬," + std::string(amount) +
                    ",1,錠\n");
        EXPECT_EQ(e.timings, (std::vector<int>{0, timing, 0, 0, 0})) << amount;
    }
    EXPECT_EQ(e.amount, "用量　１回５１錠");
}

TEST(DosageReading, PerIntakeAndUnevenAmounts) {
    Entry e = entryOf(
        "101,1,1,,14\n111,1,1,,１日２回朝夕食後,2\n201,1,1,1,1,,薬,3,1,錠\n241,1,1,1.5,2\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 101, 0, 101, 0}));
    EXPECT_EQ(e.source, AmountSource::kPerIntake);
    // 241's own count of intakes differs from the words: the amount text only.
    e = entryOf("101,1,1,,14\n111,1,1,,朝夕食後,\n201,1,1,1,1,,薬,3,1,錠\n241,1,1,1,3\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１回１錠");

    // Uneven: 1.5, 0.5 and 0.5 in the order of the timings; the text gives the daily amount.
    e = entryOf(
        "101,1,1,,14\n111,1,1,,１日３回毎食後,3\n201,1,1,1,1,,薬,2.5,1,錠\n"
        "221,1,1,1.5,0.5,0.5,,,,,,,\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 101, 100, 100, 0}));
    EXPECT_EQ(e.amount, "用量　１日２．５錠");
    EXPECT_EQ(e.source, AmountSource::kUneven);
    // Two uneven amounts for three timings cannot be placed.
    e = entryOf("101,1,1,,14\n111,1,1,,毎食後,3\n201,1,1,1,1,,薬,3,1,錠\n221,1,1,2,1,,,,,,,,\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１日３錠");
}

TEST(DosageReading, AsNeededAndExternalRps) {
    Entry e = entryOf("101,1,2,,5\n111,1,1,,疼痛時,\n201,1,1,1,1,,薬,1,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.amount, "用量　１回１錠");
    EXPECT_EQ(e.days, "５回分");
    EXPECT_EQ(e.source, AmountSource::kAsWritten);
    e = entryOf("101,1,2,,10\n111,1,1,,不眠時　寝る前,\n201,1,1,1,1,,薬,0.5,1,錠\n");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 100}));

    // External: the total as the days text, the form's own amount text.
    e = entryOf("101,1,3,,1\n111,1,1,,１日２回患部に塗布,\n201,1,1,1,1,,軟膏,25,1,ｇ\n",
                "軟膏・硬膏");
    EXPECT_EQ(e.days, "２５ｇ");
    EXPECT_EQ(e.amount, "適量");
    EXPECT_EQ(e.timings, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(e.source, AmountSource::kTotal);
    e = entryOf("101,1,3,,2\n111,1,1,,１日１回貼付,\n201,1,1,1,1,,貼付剤,7,1,枚\n", "貼付剤");
    EXPECT_EQ(e.days, "１４枚");
    EXPECT_EQ(e.amount, "１回１枚");
}

TEST(DosageReading, TextsCutToTheirFieldsOnCharacterBoundaries) {
    const Entry e = entryOf(
        "101,1,1,,14\n111,1,1,,１日３回毎食後３０分以内に服用,3\n"
        "181,1,1,5,水またはぬるま湯で十分に噛まずに飲むこと,,\n"
        "201,1,1,1,1,,薬,36,1,カプセル\n");
    const std::string cp932 = sjis::fromUtf8(e.usage);
    EXPECT_EQ(cp932.size(), 60u);
    EXPECT_EQ(e.usage, "１日３回毎食後３０分以内に服用　水またはぬるま湯で十分に噛ま");
    // Twelve per intake: full-width digits would not fit the 20-byte field.
    EXPECT_EQ(e.amount, "用量　１回12カプセル");
}

TEST(UsageTimings, WordsAndMealTiming) {
    const auto of = [](const char* usage) { return timingsOfUsage(sjis::fromUtf8(usage)); };
    EXPECT_EQ(of("朝昼夕食直後").count(), 3);
    EXPECT_EQ(of("朝昼夕食直後").meal, leaflet::kAfterMeals);
    EXPECT_EQ(of("毎食直前").meal, leaflet::kBeforeMeals);
    EXPECT_EQ(of("１日２回朝食間及び眠前").meal, leaflet::kBetweenMeals);
    EXPECT_TRUE(of("１日２回朝食間及び眠前").slots[leaflet::kBedtime]);
    EXPECT_EQ(of("朝食前・夕食後").meal, leaflet::kNoMeal) << "two meal timings";
    EXPECT_EQ(of("頭痛時").count(), 0);
}

}  // namespace
