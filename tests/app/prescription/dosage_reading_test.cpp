// The dosage of a print-list entry from a prescribed drug: timings from the usage words, the
// amount per intake from 241, 221 or the daily amount, and the texts with their byte limits.
#include "prescription/dosage_reading.h"

#include <gtest/gtest.h>

#include "prescription/prescription_reader.h"
#include "prescription/usage_timings.h"
#include "sample_codes.h"

namespace {

using namespace prescription;

// The dosage of the first drug of the first RP of `rps`, for a catalogue drug of `form`, as
// "timings mMEAL sSOURCE amount days" in UTF-8.
std::string entryOf(const std::string& rps, const char* form) {
    const ReadResult read = readPrescription(samples::asCode(samples::withHeader(rps)));
    EXPECT_EQ(read.error, "");
    if (!read.prescription) return {};
    const Rp& rp = read.prescription->rps.front();
    const DrugDosage dosage = dosageFor(rp, rp.drugs.front(), sjis::fromUtf8(form));
    const leaflet::DosageSettings& s = dosage.settings;
    std::string said;
    for (const int t : s.timings) said += (said.empty() ? "" : ",") + std::to_string(t);
    return said + " m" + std::to_string(s.mealTiming) + " s" +
           std::to_string(static_cast<int>(dosage.source)) + " " +
           sjis::toUtf8(std::string(leaflet::field(s.amountText)) + " " +
                        std::string(leaflet::field(s.daysText)));
}

TEST(DosageReading, TimingsAmountAndDaysByFormAndRecord) {
    // Sources: 0 none, 1 per intake (241), 2 uneven (221), 3 daily divided, 4 as written, 5 total.
    struct Case {
        const char* name;
        std::string rps;
        const char* read;
        const char* form = "錠";
    };
    const std::string rp = "101,1,1,,14\n111,1,1,,";
    const Case cases[] = {
        {"the daily amount divided into the named timings",
         rp + "毎食後,3\n201,1,1,1,1,,薬,3,1,錠\n", "0,1,1,1,0 m3 s3 用量　１回１錠 １４日分"},
        {"drops of no days, one and a half each, the times from the words",
         "101,1,4,,0\n111,1,1,,朝夕食前,\n201,1,1,1,1,,薬,3,1,錠\n",
         "0,101,0,101,0 m1 s3 用量　１回１．５錠 "},
        {"waking and bedtime without a meal",
         "101,1,1,,30\n111,1,1,,起床時及び就寝前,2\n201,1,1,1,1,,薬,2,1,カプセル\n",
         "1,0,0,0,1 m0 s3 用量　１回１カプセル ３０日分"},
        {"a third per intake: the daily amount", rp + "１日３回毎食後,3\n201,1,1,1,1,,薬,1,1,錠\n",
         "0,0,0,0,0 m3 s0 用量　１日１錠 １４日分"},
        {"two timings named for three intakes", rp + "朝夕食後,3\n201,1,1,1,1,,薬,3,1,錠\n",
         "0,0,0,0,0 m3 s3 用量　１回１錠 １４日分"},
        {"no timing words", rp + "１日２回,2\n201,1,1,1,1,,薬,2,1,ｇ\n",
         "0,0,0,0,0 m0 s3 用量　１回１ｇ １４日分"},
        {"a form not taken by mouth", rp + "毎食後,3\n201,1,1,1,1,,薬,3,1,枚\n",
         "0,0,0,0,0 m3 s3 用量　１回１枚 １４日分", "貼付剤"},
        {"50 per intake", rp + "朝食後,1\n201,1,1,1,1,,薬,50,1,錠\n",
         "0,50,0,0,0 m3 s3 用量　１回５０錠 １４日分"},
        {"50 and a half per intake", rp + "朝食後,1\n201,1,1,1,1,,薬,50.5,1,錠\n",
         "0,150,0,0,0 m3 s3 用量　１回５０．５錠 １４日分"},
        {"51 per intake", rp + "朝食後,1\n201,1,1,1,1,,薬,51,1,錠\n",
         "0,0,0,0,0 m3 s3 用量　１回５１錠 １４日分"},
        {"per intake from 241", rp + "朝夕食後,2\n201,1,1,1,1,,薬,3,1,錠\n241,1,1,1.5,2\n",
         "0,101,0,101,0 m3 s1 用量　１回１．５錠 １４日分"},
        {"241's count of intakes differs from the words",
         rp + "朝夕食後,\n201,1,1,1,1,,薬,3,1,錠\n241,1,1,1,3\n",
         "0,0,0,0,0 m3 s1 用量　１回１錠 １４日分"},
        {"uneven amounts in the order of the timings",
         rp + "毎食後,3\n201,1,1,1,1,,薬,2.5,1,錠\n221,1,1,1.5,0.5,0.5,,,,,,,\n",
         "0,101,100,100,0 m3 s2 用量　１日２．５錠 １４日分"},
        {"two uneven amounts for three timings",
         rp + "毎食後,3\n201,1,1,1,1,,薬,3,1,錠\n221,1,1,2,1,,,,,,,,\n",
         "0,0,0,0,0 m3 s2 用量　１日３錠 １４日分"},
        {"as needed", "101,1,2,,5\n111,1,1,,疼痛時,\n201,1,1,1,1,,薬,1,1,錠\n",
         "0,0,0,0,0 m0 s4 用量　１回１錠 ５回分"},
        {"as needed at bedtime, no times given",
         "101,1,2,,0\n111,1,1,,不眠時　寝る前,\n201,1,1,1,1,,薬,0.5,1,錠\n",
         "0,0,0,0,100 m0 s4 用量　１回０．５錠 "},
        {"external: the total as the days text",
         "101,1,3,,1\n111,1,1,,１日２回患部に塗布,\n201,1,1,1,1,,軟膏,25,1,ｇ\n",
         "0,0,0,0,0 m0 s5 適量 ２５ｇ", "軟膏・硬膏"},
        {"split dispensing: this part's days",
         rp + "朝食後,1\n102,1,11,66\n201,1,1,1,1,,薬,1,1,錠\n",
         "0,1,0,0,0 m3 s3 用量　１回１錠 １１日分"},
        {"potency units", "101,1,2,,3\n111,1,1,,発熱時,\n201,1,1,1,1,,薬,75,2,ｍｇ\n",
         "0,0,0,0,0 m0 s4 １回７５ｍｇ（力価） ３回分", "散剤"},
        {"potency amount one byte too long with its heading",
         "101,1,2,,3\n111,1,1,,発熱時,\n201,1,1,1,1,,薬,55,2,g\n",
         "0,0,0,0,0 m0 s4 １回５５g（力価） ３回分", "散剤"},
        {"potency amount one byte too long in full-width digits",
         "101,1,2,,3\n111,1,1,,発熱時,\n201,1,1,1,1,,薬,1234,2,g\n",
         "0,0,0,0,0 m0 s4 １回1234g（力価） ３回分", "散剤"},
        {"external patches", "101,1,3,,2\n111,1,1,,１日１回貼付,\n201,1,1,1,1,,貼付剤,7,1,枚\n",
         "0,0,0,0,0 m0 s5 １回１枚 １４枚", "貼付剤"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(entryOf(c.rps, c.form), c.read);
    }
}

TEST(DosageReading, ATextTooLongForItsFieldChecksItsDrug) {
    const std::string usage =
        "漸減：１週目は１回３錠朝食後、２週目は１回２錠朝食後、３週目は１回１錠朝食後";
    const ReadResult read = readPrescription(samples::asCode(
        samples::withHeader("101,1,1,,21\n111,1,1,," + usage + ",1\n201,1,1,1,1,,薬,3,1,錠\n")));
    ASSERT_TRUE(read.prescription);
    const Rp& rp = read.prescription->rps.front();
    EXPECT_EQ(sjis::toUtf8(rp.usage), usage);  // whole for the intake window
    EXPECT_EQ(
        rp.drugs.front().checks,
        std::vector<std::string>{"用法「" + usage +
                                 "」は印刷欄に収まらないため、末尾を「…」で省略して印刷します。"});
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
