// Splitting handbook texts over symbols, and what one symbol holds.
#include "ehandbook/handbook_parts.h"

#include <gtest/gtest.h>

#include "ehandbook/handbook_writer.h"
#include "ehandbook/qr_symbol.h"
#include "handbook_reading.h"
#include "sjis/sjis.h"

namespace {

constexpr const char* kDataId = "20240109103005";

// A dispensing of `count` drugs in RPs of three, with long texts, so that it needs several
// symbols.
std::string longText(int count) {
    ehandbook::HandbookInput input;
    input.patient.name = sjis::fromUtf8("見本 花子");
    input.dispensing.date = "20240109";
    for (int i = 1; i <= count; ++i) {
        ehandbook::Drug drug;
        drug.name = sjis::fromUtf8("見本錠" + std::to_string(i) + "号「サンプル製薬」５ｍｇ");
        drug.amount = "3";
        drug.yjcode = "2171901F2S" + std::to_string(10 + i);
        drug.note = sjis::fromUtf8("１回１錠");
        drug.usage = sjis::fromUtf8("１日３回  毎食後に服用" + std::to_string((i + 2) / 3));
        drug.days = sjis::fromUtf8("１４日分");
        input.dispensing.drugs.push_back(drug);
    }
    return ehandbook::handbookText(input);
}

// At the symbol's budget and at budgets a byte apart (so that some part fills its room exactly,
// down to ten parts or more), each part is whole records filled greedily within the budget,
// opened by the version record and closed by its split record, and the parts join back whole
// in any order.
TEST(HandbookParts, EveryBudgetSplitsBetweenRecordsAndJoinsBackWhole) {
    const std::string text = longText(30);
    ASSERT_GT(text.size(), ehandbook::kSymbolBudget);
    std::vector<std::size_t> budgets = {ehandbook::kSymbolBudget};
    for (std::size_t budget = 190; budget < 420; ++budget) budgets.push_back(budget);
    for (const std::size_t budget : budgets) {
        SCOPED_TRACE("budget " + std::to_string(budget));
        const std::vector<std::string> parts = ehandbook::splitHandbookText(text, kDataId, budget);
        ASSERT_GE(parts.size(), budget == 190 ? 10u : 2u);
        for (std::size_t n = 0; n < parts.size(); ++n) {
            const std::string& part = parts[n];
            ASSERT_LE(part.size(), budget) << "part " << n + 1;
            ASSERT_TRUE(part.starts_with(ehandbook::kVersionRecord)) << "part " << n + 1;
            const std::vector<Fields> records = readRecords(part);
            ASSERT_FALSE(records.empty()) << "whole records only";
            ASSERT_EQ(records.back(), (Fields{"911", kDataId, std::to_string(parts.size()),
                                              std::to_string(n + 1)}));
            if (n + 1 < parts.size()) {
                const std::size_t start = ehandbook::kVersionRecord.size();
                const std::size_t next = parts[n + 1].find("\r\n", start) + 2 - start;
                // The split record's room holds a part number as wide as the count.
                const std::size_t spare = records.back()[2].size() - records.back()[3].size();
                ASSERT_GT(part.size() + spare + next, budget)
                    << "the next record fitted in " << n + 1;
            }
        }
        ASSERT_EQ(joinParts({parts.rbegin(), parts.rend()}), text);
    }
}

TEST(HandbookParts, ATextWithinTheBudgetStaysOnePartWithoutSplitRecord) {
    const std::string text = longText(1);
    EXPECT_EQ(ehandbook::splitHandbookText(text, kDataId), std::vector<std::string>{text});
    const std::string fuller = longText(13);
    ASSERT_LE(fuller.size(), ehandbook::kSymbolBudget) << "a fuller text that still fits";
    EXPECT_EQ(ehandbook::splitHandbookText(fuller, kDataId).size(), 1u);
    EXPECT_EQ(ehandbook::splitHandbookText(fuller, kDataId, fuller.size()).size(), 1u)
        << "a text that exactly fills its budget";
}

TEST(HandbookParts, RefusesWhatCannotBeSplitSafely) {
    const std::string text = longText(30);
    EXPECT_TRUE(ehandbook::splitHandbookText(text, "2024010910300").empty()) << "13 digits";
    EXPECT_TRUE(ehandbook::splitHandbookText(text, "2024010910300x").empty());
    EXPECT_TRUE(ehandbook::splitHandbookText(text.substr(0, text.size() - 1), kDataId).empty())
        << "a last record without its CR LF";
    EXPECT_TRUE(ehandbook::splitHandbookText(text.substr(5), kDataId).empty()) << "no version";
    EXPECT_TRUE(ehandbook::splitHandbookText(text, kDataId, 80).empty())
        << "a record longer than a part holds";
    EXPECT_EQ(ehandbook::dataIdAt(2024, 1, 9, 8, 5, 3), "20240109080503");
}

TEST(QrSymbols, BytesNoVersionHoldsMakeNoSymbol) {
    EXPECT_FALSE(ehandbook::encodeQrSymbol(std::string(2400, 'x')));
    EXPECT_FALSE(ehandbook::encodeQrSymbol(""));
    const auto largest = ehandbook::encodeQrSymbol(std::string(2331, '\x82'));
    ASSERT_TRUE(largest) << "2,331 bytes fill a version 40 symbol at level M";
    EXPECT_EQ(largest->size, 177);
}

}  // namespace
