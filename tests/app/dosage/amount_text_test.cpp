// The amount text by dosage form, its digits, and the forms' defaults.
#include "dosage/amount_text.h"

#include <gtest/gtest.h>

#include "dosage/dosage_forms.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace {

std::string amount(int a, std::string_view formUtf8) {
    return sjis::toUtf8(dosage::composeAmountText(a, sjis::fromUtf8(formUtf8)));
}

TEST(AmountText, UnitsByFormWithFullWidthDigits) {
    EXPECT_EQ(amount(2, "錠"), "用量　１回２錠");
    EXPECT_EQ(amount(12, "徐放錠"), "用量　１回１２錠");
    EXPECT_EQ(amount(3, "カプセル"), "用量　１回３カプセル");
    EXPECT_EQ(amount(1, "顆粒"), "用量　１回１包");
    EXPECT_EQ(amount(50, "散剤"), "用量　１回５０包");
}

TEST(AmountText, TwoDigitCapsulesKeepTheWholeNumberInTwentyBytes) {
    const std::string text = dosage::composeAmountText(12, sjis::fromUtf8("複粒カプセル"));
    EXPECT_EQ(sjis::toUtf8(text), "用量　１回12カプセル");
    EXPECT_EQ(text.size(), leaflet::DosageSettings::kAmountWidth - 1);
}

TEST(AmountText, EmptyForOtherFormsAndAmounts) {
    EXPECT_EQ(amount(2, "シロップ"), "");
    EXPECT_EQ(amount(2, "錠剤"), "") << "forms are compared exactly";
    EXPECT_EQ(amount(0, "錠"), "");
    EXPECT_EQ(amount(51, "錠"), "");
    EXPECT_EQ(amount(101, "錠"), "");
}

TEST(DosageForms, NotForTakingFormsAndTheirRefusal) {
    for (const char* form : {"貼付剤", "軟膏・硬膏", "注", "坐剤", "キット", "その他"}) {
        EXPECT_TRUE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    }
    for (const char* form : {"錠", "カプセル", "シロップ", "注射", ""}) {
        EXPECT_FALSE(dosage::isNotForTaking(sjis::fromUtf8(form))) << form;
    }
    const std::string message = dosage::refusalMessage(sjis::fromUtf8("坐剤"));
    EXPECT_EQ(message.rfind("薬の種類は「坐剤」です。服用出来ません。\n", 0), 0u) << message;
}

TEST(DosageForms, DefaultAmountTexts) {
    const auto text = [](const char* form) {
        return sjis::toUtf8(dosage::defaultAmountText(sjis::fromUtf8(form)));
    };
    EXPECT_EQ(text("トローチ"), "１回１錠");
    EXPECT_EQ(text("徐放カプセル"), "１回１カプセル");
    EXPECT_EQ(text("末"), "１回１包");
    EXPECT_EQ(text("シロップ用"), "適量");
    EXPECT_EQ(text("含嗽剤"), "適量");
    EXPECT_EQ(text("貼付剤"), "１回１枚");
    EXPECT_EQ(text("坐剤"), "１回１個");
    EXPECT_EQ(text("注射液"), "");
}

}  // namespace
