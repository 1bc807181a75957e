// The print-list fields of a prescribed drug's texts: kept whole when they fit, else shortened
// with "…" but never inside a number, an amount or days number left out rather than cut.
#include "prescription/entry_fit.h"

#include <gtest/gtest.h>

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace {

using prescription::EntryText;

TEST(EntryFit, WholeShortenedOrLeftOut) {
    const std::string x60(60, 'x'), x58(58, 'x'), x56(56, 'x');
    struct Case {
        const char* name;
        EntryText kind;
        std::string text, field, check;  // UTF-8; check empty when none
    };
    const std::string cut = "」は印刷欄に収まらないため、末尾を「…」で省略して印刷します。";
    const std::string ask = "確かめて入力してください。";
    const Case cases[] = {
        {"usage of 60 bytes fits", EntryText::kUsage, x60, x60, ""},
        {"one byte over", EntryText::kUsage, x60 + "y", x58 + "…", "用法「" + x60 + "y" + cut},
        {"usage cut before a number, not in it", EntryText::kUsage, x56 + "１２３", x56 + "…",
         "用法「" + x56 + "１２３" + cut},
        {"amount that fits", EntryText::kAmount, "１回1/999999999錠", "１回1/999999999錠", ""},
        {"amount whose number does not fit", EntryText::kAmount, "１回1/999999999999999錠", "",
         "用量「１回1/999999999999999錠」の数値が印刷欄に収まらないため、用量欄を空けました。" +
             ask},
        {"amount with words after its number", EntryText::kAmount, "１回１包（分包のまま）",
         "１回１包（分包のま…", "用量「１回１包（分包のまま）" + cut},
        {"days whose number does not fit", EntryText::kDays, "１２３４５６７８９０１日分", "",
         "日数「１２３４５６７８９０１日分」の数値が印刷欄に収まらないため、日数欄を空けました。" +
             ask},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char field[leaflet::DosageSettings::kUsageWidth];
        const std::size_t width = c.kind == EntryText::kUsage
                                      ? leaflet::DosageSettings::kUsageWidth
                                      : leaflet::DosageSettings::kAmountWidth;
        const auto check = prescription::fitEntryText(field, width, c.kind, sjis::fromUtf8(c.text));
        EXPECT_EQ(sjis::toUtf8(sjis::fieldText(field, width)), c.field);
        EXPECT_EQ(check.value_or(""), c.check);
    }
}

}  // namespace
