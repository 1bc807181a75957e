// The history block built from print-list entries and its stored text.
#include "leaflet/history_block.h"
#include "leaflet/history_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "entry_builder.h"

namespace {

using leaflet::historyText;

std::string at(const leaflet::HistoryBlock& block, std::size_t offset) {
    return reinterpret_cast<const char*>(block.data()) + offset;
}

TEST(HistoryBlock, RecordsHoldTheFieldsAtTheirOffsets) {
    DrugRecord entry = EntryBuilder()
                           .yjcode("2171901F2S94")
                           .timings({0, 5, 0, 101, 0})
                           .meal(3)
                           .amount("用量　１回１錠")
                           .days("5日分")
                           .usage("１日２回  朝夕食後に服用")
                           .build();
    entry.callerArea[7] = 4;       // amount list position
    entry.callerArea[8] = '\xFF';  // no days list selection
    const auto block = leaflet::buildHistoryBlock(std::vector<DrugRecord>{entry});
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
    EXPECT_EQ(at(block, 0), "2171901F2S94");
    // Timings from byte 25, the meal timing before the reserved byte (unlike the entry), the
    // list positions.
    EXPECT_EQ(std::vector<int>(bytes + 25, bytes + 34),
              (std::vector<int>{0, 5, 0, 101, 0, 3, 0, 4, 255}));
    EXPECT_EQ(at(block, 34), cp932("用量　１回１錠"));
    EXPECT_EQ(at(block, 55), cp932("5日分"));
    EXPECT_EQ(at(block, 76), cp932("１日２回  朝夕食後に服用"));

    const std::string text = historyText(block);
    EXPECT_EQ(text.size(), 4110u);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.substr(137), std::string(4110 - 137, '$')) << "unused records are zero";
}

TEST(HistoryBlock, DollarTypedIntoATextSurvivesStoreAndRecall) {
    // A half-width "$" would come back as a zero byte and cut the text; entries hold "＄".
    const DrugRecord entry = EntryBuilder().yjcode("X1").days("14日分$").usage("$1回").build();
    const auto back = leaflet::historyBlockFromText(
        historyText(leaflet::buildHistoryBlock(std::vector<DrugRecord>{entry})));
    DrugRecord recalled{};
    leaflet::applyHistoryRecord(back[0], recalled);
    EXPECT_EQ(leaflet::daysText(recalled), cp932("14日分＄"));
    EXPECT_EQ(leaflet::usageText(recalled), cp932("＄1回"));
}

TEST(HistoryBlock, AStoredTextCutShortGivesBackTheRecordsItHolds) {
    DrugRecord entry = EntryBuilder().yjcode("2171901F2S94").days("７日分").build();
    entry.callerArea[leaflet::kMorning] = '$';  // a morning amount of 36
    const std::vector<DrugRecord> entries{entry, entry};
    const std::string text = historyText(leaflet::buildHistoryBlock(entries));
    const auto back = leaflet::historyBlockFromText(text.substr(0, 137 + 30));
    EXPECT_EQ(back[0].timings[leaflet::kMorning], 36);
    EXPECT_EQ(at(back, 55), cp932("７日分"));
    EXPECT_EQ(at(back, 137), "2171901F2S94");
    EXPECT_EQ(back[1].timings[leaflet::kMorning], 0) << "its marks were cut off";
    EXPECT_EQ(at(back, 137 + 55), "");
}

TEST(HistoryBlock, GoneDrugsAreEmptiedAndAnUnreadableCatalogueChangesNothing) {
    using enum leaflet::DrugPresence;
    const std::vector<DrugRecord> entries{EntryBuilder().yjcode("A1").build(),
                                          EntryBuilder().yjcode("B2").build(),
                                          EntryBuilder().yjcode("C3").build()};
    auto block = leaflet::buildHistoryBlock(entries);
    const auto gone = leaflet::dropGoneDrugs(
        block, [](const std::string& y) { return y == "B2" ? kGone : kPresent; });
    ASSERT_TRUE(gone);
    EXPECT_EQ(*gone, std::vector<std::string>{"B2"});
    EXPECT_EQ(at(block, 0) + "|" + at(block, 137) + "|" + at(block, 274), "A1||C3");
    EXPECT_FALSE(leaflet::dropGoneDrugs(block, [](const std::string&) { return kUnreadable; }));
    EXPECT_EQ(at(block, 0), "A1");
}

}  // namespace
