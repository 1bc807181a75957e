// The history block built from print-list entries, its stored text, and the way back.
#include "leaflet/history_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "entry_builder.h"

namespace {

using leaflet::buildHistoryBlock;
using leaflet::HistoryBlock;
using leaflet::historyText;

DrugRecord sampleEntry(int i) {
    return EntryBuilder()
        .yjcode("2171901F2S9" + std::to_string(i % 10))
        .name("アムロジピン錠５ｍｇ")
        .timings({0, i % 50 + 1, 0, 101, 0})
        .meal(3)
        .listPositions(i, 255)
        .usage("１日２回  朝夕食後に服用")
        .amount("用量　１回１錠")
        .days(std::to_string(i + 1) + "日分")
        .build();
}

TEST(HistoryBlock, RecordsHoldTheFieldsAtTheirOffsets) {
    const HistoryBlock block = buildHistoryBlock(std::vector<DrugRecord>{sampleEntry(4)});
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes)), "2171901F2S94");
    EXPECT_EQ(bytes[25 + 1], 5);
    EXPECT_EQ(bytes[25 + 3], 101);
    EXPECT_EQ(bytes[30], 3) << "meal timing before the reserved byte, unlike the entry";
    EXPECT_EQ(bytes[31], 0);
    EXPECT_EQ(bytes[32], 4);
    EXPECT_EQ(bytes[33], 255);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 34)), cp932("用量　１回１錠"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 55)), cp932("5日分"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 76)),
              cp932("１日２回  朝夕食後に服用"));
    for (std::size_t i = 137; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(HistoryBlock, StoredTextIsExactly4110CharactersWithoutZeroBytes) {
    const std::string empty = historyText(HistoryBlock{});
    EXPECT_EQ(empty, std::string(4110, '$'));
    const std::string text =
        historyText(buildHistoryBlock(std::vector<DrugRecord>{sampleEntry(1)}));
    EXPECT_EQ(text.size(), 4110u);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.substr(12, 13), std::string(13, '$'));
}

TEST(HistoryBlock, ThirtyEntriesComeBackWithTheirSettings) {
    std::vector<DrugRecord> entries;
    for (int i = 0; i < 30; ++i) entries.push_back(sampleEntry(i));
    const HistoryBlock back =
        leaflet::historyBlockFromText(historyText(buildHistoryBlock(entries)));
    for (int i = 0; i < 30; ++i) {
        DrugRecord recalled{};
        leaflet::applyHistoryRecord(back[i], recalled);
        EXPECT_STREQ(recalled.YJCODE, entries[i].YJCODE);
        EXPECT_EQ(
            0, std::memcmp(recalled.callerArea, entries[i].callerArea, sizeof recalled.callerArea))
            << "entry " << i;
    }
}

TEST(HistoryBlock, DollarTypedIntoATextSurvivesStoreAndRecall) {
    // A half-width "$" would come back as a zero byte and cut the text; entries hold "＄".
    const DrugRecord entry = EntryBuilder().yjcode("X1").days("14日分$").usage("$1回").build();
    const HistoryBlock back = leaflet::historyBlockFromText(
        historyText(buildHistoryBlock(std::vector<DrugRecord>{entry})));
    DrugRecord recalled{};
    leaflet::applyHistoryRecord(back[0], recalled);
    const leaflet::DosageSettings d = leaflet::dosageOf(recalled);
    EXPECT_EQ(leaflet::field(d.daysText), cp932("14日分＄"));
    EXPECT_EQ(leaflet::field(d.usageText), cp932("＄1回"));
}

TEST(HistoryBlock, ShortOrLongStoredTextsAreReadWithinTheBlock) {
    const HistoryBlock shortBlock = leaflet::historyBlockFromText("AB$$");
    EXPECT_STREQ(shortBlock[0].yjcode, "AB");
    EXPECT_EQ(shortBlock[29].yjcode[0], '\0');
    const HistoryBlock longBlock = leaflet::historyBlockFromText(std::string(5000, 'Z'));
    EXPECT_EQ(longBlock[29].usageText[60], 'Z');
}

}  // namespace
