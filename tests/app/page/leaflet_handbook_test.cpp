// What a leaflet and a registered patient give the handbook text.
#include "page/leaflet_handbook.h"

#include <gtest/gtest.h>

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

TEST(LeafletHandbook, EachEntryIsADrugWithItsDaysAmountUnitCodeTextsAndForm) {
    const std::vector<DrugRecord> entries = {
        EntryBuilder()
            .yjcode("2171901F2S93")
            .name("アムロジピン錠５ｍｇ")
            .form("錠")
            .timings({0, 1, 0, 100, 0})
            .amount("用量　１回１錠")
            .usage("１日２回  朝夕食後に服用")
            .days("１４日分")
            .build(),
        EntryBuilder().name("見本カプセル").form("カプセル").timings({0, 2, 2, 2, 0}).build(),
        EntryBuilder().name("見本散").form("散").timings({0, 0, 0, 0, 101}).build(),
        EntryBuilder().name("見本シロップ").form("シロップ").timings({0, 1, 0, 1, 0}).build(),
        EntryBuilder()
            .name("見本テープ")
            .form("貼付剤")
            .usage("１日１回貼付")
            .days("２８枚")
            .build(),
        EntryBuilder().name("見本注").form("注射液").build(),
        EntryBuilder().name("見本キット").form("キット").build(),
        EntryBuilder().name("見本頓服錠").form("錠").usage("頭痛時　頓服").days("５回分").build(),
        EntryBuilder().name("見本寝前錠").form("錠").timings({0, 0, 0, 0, 1}).usage("頓服").build(),
    };
    const ehandbook::HandbookInput input =
        ehandbook::leafletHandbookInput(header(), entries, "20240109");
    ASSERT_EQ(input.dispensing.drugs.size(), entries.size());
    const ehandbook::Drug& first = input.dispensing.drugs[0];
    EXPECT_EQ(first.name, cp932("アムロジピン錠５ｍｇ"));
    EXPECT_EQ(first.yjcode, "2171901F2S93");
    EXPECT_EQ(first.note, cp932("用量　１回１錠"));
    EXPECT_EQ(first.usage, cp932("１日２回  朝夕食後に服用"));
    EXPECT_EQ(first.days, cp932("１４日分"));

    const std::pair<std::string, std::string> amounts[] = {
        {"1.5", "錠"}, {"6", "カプセル"}, {"1.5", "包"}, {"2", ""},  {"", ""},
        {"", ""},      {"", ""},          {"", ""},      {"1", "錠"}};
    const FormCode forms[] = {FormCode::kInternal, FormCode::kInternal, FormCode::kInternal,
                              FormCode::kInternal, FormCode::kExternal, FormCode::kInjection,
                              FormCode::kOther,    FormCode::kAsNeeded, FormCode::kInternal};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(sjis::toUtf8(input.dispensing.drugs[i].name));
        EXPECT_EQ(input.dispensing.drugs[i].amount, amounts[i].first);
        EXPECT_EQ(input.dispensing.drugs[i].unit, cp932(amounts[i].second));
        EXPECT_EQ(input.dispensing.drugs[i].form, forms[i]);
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
    EXPECT_EQ(d.pharmacy, cp932("さくら薬局"));
    const ehandbook::PharmacyDetails& p = d.pharmacyDetails;
    EXPECT_EQ(
        (std::vector<std::string>{p.prefecture, p.code, p.postalCode, p.address, p.telephone}),
        (std::vector<std::string>{"13", "1234567", "100-0001", cp932("東京都"), "03-1"}));
    const ehandbook::Prescribing& by = d.prescribing;
    EXPECT_EQ((std::vector<std::string>{by.institution, by.prefecture, by.code, by.doctor,
                                        by.department}),
              (std::vector<std::string>{cp932("見本病院"), "27", "7654321", cp932("見本 二郎"),
                                        cp932("内科")}));
    EXPECT_EQ(by.feeTable, 1);
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
