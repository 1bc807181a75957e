// The amount text by dosage form, its digits, and the forms' defaults and refusals.
#include "dosage/amount_text.h"

#include <gtest/gtest.h>

#include "dosage/dosage_forms.h"
#include "sjis/sjis.h"

namespace {

std::string amount(int a, const char* form) {
    return sjis::toUtf8(dosage::composeAmountText(a, sjis::fromUtf8(form)));
}

TEST(AmountText, UnitsByFormWithFullWidthDigits) {
    EXPECT_EQ(amount(2, "錠"), "用量　１回２錠");
    EXPECT_EQ(amount(3, "カプセル"), "用量　１回３カプセル");
    EXPECT_EQ(amount(50, "散剤"), "用量　１回５０包");
    // Full-width digits would make 22 bytes; the 20-byte field keeps the whole number.
    EXPECT_EQ(amount(12, "複粒カプセル"), "用量　１回12カプセル");
    EXPECT_EQ(dosage::composeAmountText(12, sjis::fromUtf8("カプセル")).size(), 20u);
}

TEST(AmountText, EmptyForOtherFormsAndAmounts) {
    EXPECT_EQ(amount(2, "シロップ"), "");
    EXPECT_EQ(amount(2, "錠剤"), "") << "forms are compared exactly";
    EXPECT_EQ(amount(0, "錠") + amount(51, "錠") + amount(101, "錠"), "");
}

TEST(AmountText, AnyAmountAndUnitPerDoseOrPerDay) {
    const auto text = [](const char* a, const char* unit, dosage::AmountPer per) {
        return sjis::toUtf8(dosage::composeAmountText(a, sjis::fromUtf8(unit), per));
    };
    EXPECT_EQ(text("1.5", "錠", dosage::AmountPer::kDose), "用量　１回１．５錠");
    EXPECT_EQ(text("0.25", "ｇ", dosage::AmountPer::kDay), "用量　１日０．２５ｇ");
    EXPECT_EQ(text("12", "カプセル", dosage::AmountPer::kDose), "用量　１回12カプセル");
    EXPECT_EQ(text("", "錠", dosage::AmountPer::kDose), "");
}

TEST(DosageForms, NotForTakingFormsDefaultsAndRefusal) {
    for (const char* form : {"貼付剤", "軟膏・硬膏", "注", "坐剤", "キット"}) {
        EXPECT_TRUE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    }
    for (const char* form : {"錠", "シロップ", "注射", ""}) {
        EXPECT_FALSE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    }
    EXPECT_EQ(dosage::refusalMessage(sjis::fromUtf8("坐剤")).rfind("薬の種類は「坐剤」です。", 0),
              0u);
    const auto byDefault = [](const char* form) {
        return sjis::toUtf8(dosage::defaultAmountText(sjis::fromUtf8(form)));
    };
    EXPECT_EQ(byDefault("トローチ"), "１回１錠");
    EXPECT_EQ(byDefault("坐剤"), "１回１個");
    EXPECT_EQ(byDefault("注射液"), "");
}

}  // namespace
