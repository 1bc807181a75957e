// What a leaflet and a registered patient give the handbook text.
#include "page/leaflet_handbook.h"

#include <gtest/gtest.h>

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

DrugRecord withCatalogueUnit(DrugRecord entry, std::string_view unit) {
    sjis::copyField(entry.TANNI, sizeof entry.TANNI, cp932(unit));
    return entry;
}

ehandbook::Drug drugOf(const DrugRecord& entry,
                       const std::optional<leaflet::Prescribed>& prescribed = std::nullopt) {
    const std::optional<leaflet::Prescribed> given[] = {prescribed};
    return ehandbook::leafletHandbookInput(header(), {&entry, 1}, "20240109", given)
        .dispensing.drugs.at(0);
}

TEST(LeafletHandbook, AnEntryGivesItsNameCodeAndTexts) {
    const ehandbook::Drug drug = drugOf(EntryBuilder()
                                            .yjcode("2171901F2S93")
                                            .name("アムロジピン錠５ｍｇ")
                                            .form("錠")
                                            .amount("用量　１回１錠")
                                            .usage("１日２回  朝夕食後に服用")
                                            .days("１４日分")
                                            .build());
    EXPECT_EQ(drug.name, cp932("アムロジピン錠５ｍｇ"));
    EXPECT_EQ(drug.yjcode, "2171901F2S93");
    EXPECT_EQ(drug.note, cp932("用量　１回１錠"));
    EXPECT_EQ(drug.usage, cp932("１日２回  朝夕食後に服用"));
    EXPECT_EQ(drug.days, cp932("１４日分"));
}

// 内服 the day's amount, 頓服 the amount of one use, other forms the total; a prescription
// code's amount, unit and form exactly; nothing rather than a number without its unit.
TEST(LeafletHandbook, EveryFormGetsItsAmountAndUnit) {
    struct Case {
        const char* name;
        DrugRecord entry;
        std::optional<leaflet::Prescribed> prescribed;
        const char* amount;
        const char* unit;
        FormCode form;
    };
    const EntryBuilder tablet = EntryBuilder().form("錠");
    const EntryBuilder powder = EntryBuilder().form("散");
    const EntryBuilder syrup = EntryBuilder().form("シロップ").timings({0, 1, 0, 1, 0});
    const EntryBuilder ointment = EntryBuilder().form("軟膏・硬膏");
    const EntryBuilder drops = EntryBuilder().form("液").usage("１日数回　点眼");
    const Case cases[] = {
        {"錠: timings summed",
         EntryBuilder(tablet).timings({0, 1, 0, 100, 0}).amount("用量　１回１錠").build(),
         {},
         "1.5",
         "錠",
         FormCode::kInternal},
        {"カプセル",
         EntryBuilder().form("カプセル").timings({0, 2, 2, 2, 0}).build(),
         {},
         "6",
         "カプセル",
         FormCode::kInternal},
        {"錠 by the catalogue unit",
         withCatalogueUnit(EntryBuilder().form("口腔内崩壊錠").timings({0, 1, 0, 0, 0}).build(),
                           "５ｍｇ１錠"),
         {},
         "1",
         "錠",
         FormCode::kInternal},
        {"散/包",
         EntryBuilder(powder).timings({0, 1, 1, 1, 0}).amount("１回１包").build(),
         {},
         "3",
         "包",
         FormCode::kInternal},
        {"散/g per dose",
         EntryBuilder(powder).timings({0, 100, 0, 100, 0}).amount("１回０．５ｇ").build(),
         {},
         "1",
         "g",
         FormCode::kInternal},
        {"散/g per day",
         EntryBuilder(powder).timings({0, 1, 0, 1, 0}).amount("用量　１日１．５ｇ").build(),
         {},
         "1.5",
         "g",
         FormCode::kInternal},
        {"散/g uneven",
         EntryBuilder(powder).timings({0, 1, 0, 2, 0}).amount("１回０．５ｇ").build(),
         {},
         "",
         "",
         FormCode::kInternal},
        {"シロップ/mL",
         EntryBuilder(syrup).amount("１回５ｍＬ").build(),
         {},
         "10",
         "mL",
         FormCode::kInternal},
        {"シロップ without mL", EntryBuilder(syrup).build(), {}, "", "", FormCode::kInternal},
        {"テープ/枚",
         EntryBuilder().form("貼付剤").usage("１日１回貼付").days("２８枚").build(),
         {},
         "28",
         "枚",
         FormCode::kExternal},
        {"軟膏/g",
         EntryBuilder(ointment).days("１０ｇ").build(),
         {},
         "10",
         "g",
         FormCode::kExternal},
        {"軟膏/本",
         EntryBuilder(ointment).days("２本").build(),
         {},
         "2",
         "本",
         FormCode::kExternal},
        {"点眼/本", EntryBuilder(drops).days("１本").build(), {}, "1", "本", FormCode::kExternal},
        {"点眼/mL", EntryBuilder(drops).days("５ｍＬ").build(), {}, "5", "mL", FormCode::kExternal},
        {"坐剤/個",
         EntryBuilder().form("坐剤").amount("１回１個").days("５回分").build(),
         {},
         "5",
         "個",
         FormCode::kExternal},
        {"頓服",
         EntryBuilder(tablet).amount("１回１錠").usage("頭痛時　頓服").days("５回分").build(),
         {},
         "1",
         "錠",
         FormCode::kAsNeeded},
        {"頓服 half",
         EntryBuilder(tablet).amount("１回半錠").usage("発熱時").build(),
         {},
         "0.5",
         "錠",
         FormCode::kAsNeeded},
        {"注射", EntryBuilder().form("注射液").build(), {}, "", "", FormCode::kInjection},
        {"キット", EntryBuilder().form("キット").build(), {}, "", "", FormCode::kOther},
        {"timings before 頓服",
         EntryBuilder(tablet).timings({0, 0, 0, 0, 1}).usage("頓服").build(),
         {},
         "1",
         "錠",
         FormCode::kInternal},
        {"prescribed", EntryBuilder(tablet).timings({0, 1, 0, 1, 0}).build(),
         leaflet::Prescribed{"0.75", cp932("ｍＬ"), FormCode::kInternalDrops}, "0.75", "ｍＬ",
         FormCode::kInternalDrops},
        {"prescribed without form", EntryBuilder(tablet).usage("疼痛時").build(),
         leaflet::Prescribed{"1", cp932("錠"), std::nullopt}, "1", "錠", FormCode::kAsNeeded},
        {"prescribed without unit", EntryBuilder(tablet).timings({0, 1, 0, 1, 0}).build(),
         leaflet::Prescribed{"2", "", FormCode::kInternal}, "", "", FormCode::kInternal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ehandbook::Drug drug = drugOf(c.entry, c.prescribed);
        EXPECT_EQ(drug.amount, c.amount);
        EXPECT_EQ(drug.unit, cp932(c.unit));
        EXPECT_EQ(drug.form, c.form);
    }
}

// A tablet without timing amounts is 屯服 when its usage names an occasion or its days count
// doses, whether or not the usage says 頓服.
TEST(LeafletHandbook, AsNeededUsagesAreFormThree) {
    struct Case {
        const char* usage;
        const char* days;
        FormCode form;
    };
    const Case cases[] = {
        {"発熱時", "", FormCode::kAsNeeded},
        {"疼痛時", "", FormCode::kAsNeeded},
        {"頓用", "", FormCode::kAsNeeded},
        {"不眠時", "", FormCode::kAsNeeded},
        {"便秘時", "", FormCode::kAsNeeded},
        {"発作時", "", FormCode::kAsNeeded},
        {"痛い時に服用", "", FormCode::kAsNeeded},
        {"眠れない時に服用", "", FormCode::kAsNeeded},
        {"１日１回", "３回分", FormCode::kAsNeeded},
        {"１日３回　毎食後に服用", "１４日分", FormCode::kInternal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.usage);
        EXPECT_EQ(drugOf(EntryBuilder().form("錠").usage(c.usage).days(c.days).build()).form,
                  c.form);
    }
}

TEST(LeafletHandbook, TheRegisterGivesSexBirthDateAndHistories) {
    PatientRecord patient{};
    patient.SEX = 1;
    patient.NENGO = 3;  // 昭和33年3月3日
    patient.YEAR = 33;
    patient.MONTH = 3;
    patient.DAY = 3;
    sjis::copyField(patient.ALLERGY, sizeof patient.ALLERGY, cp932("卵"));
    sjis::copyField(patient.EFFECT, sizeof patient.EFFECT, cp932("発疹"));
    const leaflet::RegisteredPatient registered = ehandbook::registeredPatient(patient);
    EXPECT_EQ(registered.sex, 1);
    EXPECT_EQ(registered.birthDate, "19580303");
    EXPECT_EQ(registered.allergy, cp932("卵"));
    EXPECT_EQ(registered.sideEffect, cp932("発疹"));

    // Which days exist is the era table's; here a day that does not exist gives no date.
    patient.MONTH = 13;
    EXPECT_EQ(ehandbook::registeredPatient(patient).birthDate, "");
    patient.SEX = 0;
    EXPECT_EQ(ehandbook::registeredPatient(patient).sex, 0);
}

}  // namespace
