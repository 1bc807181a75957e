// The amount text by dosage form, its digits, and the forms' defaults and refusals.
#include "dosage/amount_text.h"

#include <gtest/gtest.h>

#include "dosage/dosage_forms.h"
#include "sjis/sjis.h"

namespace {

using dosage::AmountPer;

TEST(AmountText, UnitsByFormAmountsAndDigitsThatFitTheField) {
    struct Case {
        int amount;
        const char *form, *text;
    };
    // Full-width digits in "１回１２カプセル" would make 22 bytes: the 20-byte field keeps the
    // whole number half-width.
    for (const Case& c : {Case{2, "錠", "用量　１回２錠"},
                          {3, "カプセル", "用量　１回３カプセル"},
                          {50, "散剤", "用量　１回５０包"},
                          {12, "複粒カプセル", "用量　１回12カプセル"},
                          {2, "シロップ", ""},
                          {2, "錠剤", ""},
                          {0, "錠", ""},
                          {51, "錠", ""},
                          {101, "錠", ""}}) {
        SCOPED_TRACE(std::to_string(c.amount) + c.form);
        EXPECT_EQ(sjis::toUtf8(dosage::composeAmountText(c.amount, sjis::fromUtf8(c.form))),
                  c.text);
    }
    EXPECT_EQ(dosage::composeAmountText(12, sjis::fromUtf8("カプセル")).size(), 20u);
    struct Written {
        const char *amount, *unit;
        AmountPer per;
        const char* text;
    };
    for (const Written& c : {Written{"1.5", "錠", AmountPer::kDose, "用量　１回１．５錠"},
                             {"0.25", "ｇ", AmountPer::kDay, "用量　１日０．２５ｇ"},
                             {"12", "カプセル", AmountPer::kDose, "用量　１回12カプセル"},
                             {"", "錠", AmountPer::kDose, ""}}) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(sjis::toUtf8(dosage::composeAmountText(c.amount, sjis::fromUtf8(c.unit), c.per)),
                  c.text);
    }
}

TEST(DosageForms, NotForTakingFormsDefaultsAndRefusal) {
    for (const char* form : {"貼付剤", "軟膏・硬膏", "注", "坐剤", "キット"})
        EXPECT_TRUE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    for (const char* form : {"錠", "シロップ", "注射", ""})
        EXPECT_FALSE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    EXPECT_EQ(dosage::refusalMessage(sjis::fromUtf8("坐剤")).rfind("薬の種類は「坐剤」です。", 0),
              0u);
    for (const auto& [form, text] :
         {std::pair{"トローチ", "１回１錠"}, {"坐剤", "１回１個"}, {"注射液", ""}})
        EXPECT_EQ(sjis::toUtf8(dosage::defaultAmountText(sjis::fromUtf8(form))), text) << form;
}

}  // namespace
