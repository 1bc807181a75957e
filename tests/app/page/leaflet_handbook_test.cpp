// What a leaflet and a registered patient give the handbook text.
#include "page/leaflet_handbook.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "entry_builder.h"

namespace {

using ehandbook::FormCode;

leaflet::LeafletHeader header() {
    leaflet::LeafletHeader h;
    h.patientName = cp932("見本 花子");
    h.prescriber = cp932("見本内科　見本 一郎");
    h.pharmacist = cp932("薬剤 太郎");
    h.pharmacyName = cp932("サンプル薬局");
    h.dispensingPharmacy = true;
    return h;
}

ehandbook::Drug drugOf(const DrugRecord& entry,
                       const std::optional<leaflet::Prescribed>& prescribed = std::nullopt) {
    const std::optional<leaflet::Prescribed> given[] = {prescribed};
    return ehandbook::leafletHandbookInput(header(), {&entry, 1}, "20240109", given)
        .dispensing.drugs.at(0);
}

// An entry gives its name, code and texts as they are; its amount: 内服 the day's amount, 頓服 the
// amount of one use, other forms the total; a prescription code's amount, unit and form exactly;
// nothing rather than a number without its unit. A drug without timings is 屯服 when its usage
// names an occasion or its days count doses.
TEST(LeafletHandbook, EveryFormGetsItsAmountUnitAndFormCode) {
    using enum ehandbook::FormCode;
    struct Case {
        const char* name;
        const char* form;
        std::array<int, 5> timings;
        const char* amountText;
        const char* usage;
        const char* days;
        const char* amount;
        const char* unit;
        FormCode code;
        std::optional<leaflet::Prescribed> prescribed = {};
        const char* catalogueUnit = "";
    };
    const leaflet::Prescribed drops{"0.75", cp932("ｍＬ"), kInternalDrops};
    const leaflet::Prescribed noForm{"1", cp932("錠"), std::nullopt};
    const leaflet::Prescribed noUnit{"2", "", kInternal};
    const Case cases[] = {
        {"錠", "錠", {0, 1, 0, 100, 0}, "用量　１回１錠", "", "", "1.5", "錠", kInternal},
        {"カプセル", "カプセル", {0, 2, 2, 2, 0}, "", "", "", "6", "カプセル", kInternal},
        {"TANNI", "ＯＤ錠", {0, 1}, "", "", "", "1", "錠", kInternal, {}, "５ｍｇ１錠"},
        {"散/包", "散", {0, 1, 1, 1, 0}, "１回１包", "", "", "3", "包", kInternal},
        {"散/g", "散", {0, 100, 0, 100, 0}, "１回０．５ｇ", "", "", "1", "g", kInternal},
        {"散/g a day", "散", {0, 1, 0, 1, 0}, "用量　１日１．５ｇ", "", "", "1.5", "g", kInternal},
        {"散/g uneven", "散", {0, 1, 0, 2, 0}, "１回０．５ｇ", "", "", "", "", kInternal},
        {"シロップ/mL", "シロップ", {0, 1, 0, 1, 0}, "１回５ｍＬ", "", "", "10", "mL", kInternal},
        {"シロップ", "シロップ", {0, 1, 0, 1, 0}, "", "", "", "", "", kInternal},
        {"テープ/枚", "貼付剤", {}, "", "１日１回貼付", "２８枚", "28", "枚", kExternal},
        {"軟膏/g", "軟膏・硬膏", {}, "", "", "１０ｇ", "10", "g", kExternal},
        {"軟膏/本", "軟膏・硬膏", {}, "", "", "２本", "2", "本", kExternal},
        {"点眼/本", "液", {}, "", "１日数回　点眼", "１本", "1", "本", kExternal},
        {"点眼/mL", "液", {}, "", "１日数回　点眼", "５ｍＬ", "5", "mL", kExternal},
        {"坐剤/個", "坐剤", {}, "１回１個", "", "５回分", "5", "個", kExternal},
        {"坐剤 2.5回分", "坐剤", {}, "１回１個", "", "２．５回分", "", "", kExternal},
        {"頓服", "錠", {}, "１回１錠", "頭痛時　頓服", "５回分", "1", "錠", kAsNeeded},
        {"頓服 half", "錠", {}, "１回半錠", "発熱時", "", "0.5", "錠", kAsNeeded},
        {"11回 is no 1回", "錠", {}, "１１回１錠", "発熱時", "", "", "", kAsNeeded},
        {"注射", "注射液", {}, "", "", "", "", "", kInjection},
        {"キット", "キット", {}, "", "", "", "", "", kOther},
        {"timings before 頓服", "錠", {0, 0, 0, 0, 1}, "", "頓服", "", "1", "錠", kInternal},
        {"疼痛時", "錠", {}, "", "疼痛時", "", "", "", kAsNeeded},
        {"頓用", "錠", {}, "", "頓用", "", "", "", kAsNeeded},
        {"不眠時", "錠", {}, "", "不眠時", "", "", "", kAsNeeded},
        {"便秘時", "錠", {}, "", "便秘時", "", "", "", kAsNeeded},
        {"発作時", "錠", {}, "", "発作時", "", "", "", kAsNeeded},
        {"痛い時", "錠", {}, "", "痛い時に服用", "", "", "", kAsNeeded},
        {"眠れない時", "錠", {}, "", "眠れない時に服用", "", "", "", kAsNeeded},
        {"回分", "錠", {}, "", "１日１回", "３回分", "", "", kAsNeeded},
        {"日分", "錠", {}, "", "１日３回　毎食後に服用", "１４日分", "", "", kInternal},
        {"prescribed", "錠", {0, 1, 0, 1, 0}, "", "", "", "0.75", "ｍＬ", kInternalDrops, drops},
        {"prescribed, no form", "錠", {}, "", "疼痛時", "", "1", "錠", kAsNeeded, noForm},
        {"prescribed, no unit", "錠", {0, 1, 0, 1, 0}, "", "", "", "", "", kInternal, noUnit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& t = c.timings;
        DrugRecord entry = EntryBuilder()
                               .yjcode("2171901F2S93")
                               .name("アムロジピン錠５ｍｇ")
                               .form(c.form)
                               .timings({t[0], t[1], t[2], t[3], t[4]})
                               .amount(c.amountText)
                               .usage(c.usage)
                               .days(c.days)
                               .build();
        sjis::copyField(entry.TANNI, sizeof entry.TANNI, cp932(c.catalogueUnit));
        const ehandbook::Drug drug = drugOf(entry, c.prescribed);
        EXPECT_EQ(std::tuple(drug.amount, drug.unit, drug.form),
                  std::tuple(c.amount, cp932(c.unit), c.code));
        EXPECT_EQ(drug.yjcode + sjis::toUtf8(drug.name + "|" + drug.note + "|" + drug.usage + "|" +
                                             drug.days),
                  "2171901F2S93アムロジピン錠５ｍｇ|" + std::string(c.amountText) + "|" + c.usage +
                      "|" + c.days);
    }
}

TEST(LeafletHandbook, TheStoredPharmacyAndThePrescriptionsInstitutionReachTheDispensing) {
    leaflet::LeafletHeader h = header();
    const ehandbook::Dispensing unset =
        ehandbook::leafletHandbookInput(h, {}, "20240109").dispensing;
    EXPECT_EQ(unset.pharmacy, cp932("サンプル薬局")) << "the box's name without a stored one";
    EXPECT_EQ(unset.prescriber, cp932("見本内科　見本 一郎"));
    EXPECT_TRUE(unset.prescribing.institution.empty());

    h.pharmacy = {cp932("さくら薬局"), "13", "1234567", "100-0001", cp932("東京都"), "03-1"};
    h.prescribedBy = {cp932("見本病院"), "27", 1, "7654321", cp932("見本 二郎"), cp932("内科")};
    const ehandbook::Dispensing d = ehandbook::leafletHandbookInput(h, {}, "20240109").dispensing;
    const ehandbook::PharmacyDetails& p = d.pharmacyDetails;
    const ehandbook::Prescribing& by = d.prescribing;
    EXPECT_EQ(sjis::toUtf8(d.pharmacy + "|" + p.prefecture + "|" + p.code + "|" + p.postalCode +
                           "|" + p.address + "|" + p.telephone + "|" + by.institution + "|" +
                           by.prefecture + "|" + std::to_string(by.feeTable) + "|" + by.code + "|" +
                           by.doctor + "|" + by.department),
              "さくら薬局|13|1234567|100-0001|東京都|03-1|見本病院|27|1|7654321|見本 二郎|内科");
}

TEST(LeafletHandbook, TheRegisterGivesSexBirthDateAndHistories) {
    PatientRecord patient{};
    std::tie(patient.SEX, patient.NENGO, patient.YEAR, patient.MONTH, patient.DAY) =
        std::tuple(1, 3, 33, 3, 3);  // 昭和33年3月3日
    sjis::copyField(patient.ALLERGY, sizeof patient.ALLERGY, cp932("卵"));
    sjis::copyField(patient.EFFECT, sizeof patient.EFFECT, cp932("発疹"));
    const leaflet::RegisteredPatient r = ehandbook::registeredPatient(patient);
    EXPECT_EQ(std::tuple(r.sex, r.birthDate, r.allergy, r.sideEffect),
              std::tuple(1, "19580303", cp932("卵"), cp932("発疹")));
    // Which days exist is the era table's; here a day that does not exist gives no date.
    patient.MONTH = 13;
    EXPECT_EQ(ehandbook::registeredPatient(patient).birthDate, "");
    patient.SEX = 0;
    EXPECT_EQ(ehandbook::registeredPatient(patient).sex, 0);
}

}  // namespace
