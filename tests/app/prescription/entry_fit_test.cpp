// The print-list fields of a prescribed drug's texts: kept whole when they fit, else shortened
// with "…" but never inside a number, an amount or days number left out rather than cut.
#include "prescription/entry_fit.h"

#include <gtest/gtest.h>

#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace {

using prescription::EntryText;

std::string repeat(std::string_view s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

TEST(EntryFit, WholeShortenedOrLeftOut) {
    const std::string a30 = repeat("あ", 30), a29 = repeat("あ", 29), a28 = repeat("あ", 28);
    struct Case {
        const char* name;
        EntryText kind;
        std::string text, field, check;  // UTF-8; check empty when none
    };
    const Case cases[] = {
        {"usage of 60 bytes fits", EntryText::kUsage, a30, a30, ""},
        {"one byte over", EntryText::kUsage, a30 + "x", a29 + "…",
         "用法「" + a30 + "x」は印刷欄に収まらないため、末尾を「…」で省略して印刷します。"},
        {"usage cut before a number, not in it", EntryText::kUsage, a28 + "１２３", a28 + "…",
         "用法「" + a28 + "１２３」は印刷欄に収まらないため、末尾を「…」で省略して印刷します。"},
        {"amount that fits", EntryText::kAmount, "１回1/999999999錠", "１回1/999999999錠", ""},
        {"amount whose number does not fit", EntryText::kAmount, "１回1/999999999999999錠", "",
         "用量「１回1/999999999999999錠」の数値が印刷欄に収まらないため、用量欄を空けました。"
         "確かめて入力してください。"},
        {"amount with words after its number", EntryText::kAmount, "１回１包（分包のまま）",
         "１回１包（分包のま…",
         "用量「１回１包（分包のまま）」は印刷欄に収まらないため、末尾を「…」で"
         "省略して印刷します。"},
        {"days whose number does not fit", EntryText::kDays, "１２３４５６７８９０１日分", "",
         "日数「１２３４５６７８９０１日分」の数値が印刷欄に収まらないため、日数欄を空けました。"
         "確かめて入力してください。"},
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
