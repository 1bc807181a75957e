// Header geometry, row heights as measured for pagination, and the dealing onto pages.
#include "leaflet/pagination.h"

#include <gtest/gtest.h>

#include <vector>

#include "entry_builder.h"
#include "leaflet/page_geometry.h"

namespace {

using leaflet::LeafletHeader;
using leaflet::PageTable;
using leaflet::PaginateResult;

TEST(HeaderGeometry, BlockLinesDependOnTheBusinessType) {
    LeafletHeader header;
    EXPECT_EQ(leaflet::headerBottom(header), 272);

    header.pharmacyName = cp932("みどり薬局");
    header.pharmacist = cp932("山田");
    EXPECT_EQ(leaflet::headerBottom(header), 272) << "a clinic shows only the prescriber";
    header.prescriber = cp932("佐藤医院");
    EXPECT_EQ(leaflet::headerBottom(header), 334);

    header.dispensingPharmacy = true;
    EXPECT_EQ(leaflet::headerBottom(header), 444);
    header.prescriber.clear();
    header.pharmacyName.clear();
    EXPECT_EQ(leaflet::headerBottom(header), 320);
}

TEST(RowMeasure, UsageTextIsMeasuredAtTwentyBytesALine) {
    const auto lines = [](const std::string& usageUtf8) {
        return leaflet::measuredRowLines(EntryBuilder().usage(usageUtf8).build());
    };
    EXPECT_EQ(leaflet::measuredRowLines(EntryBuilder().build()), 6) << "empty usage: U = 0";
    EXPECT_EQ(lines(digits(20)), 7);
    EXPECT_EQ(lines(digits(21)), 8);
    EXPECT_EQ(lines(digits(18) + "あ"), 7);
    EXPECT_EQ(lines(digits(19) + "あ"), 8) << "a lead byte at byte 20 starts the next line";
}

TEST(RowMeasure, LongEfficacyOrCautionSetsTheHeight) {
    const std::string eleven = digits(300);
    EXPECT_EQ(leaflet::measuredRowLines(EntryBuilder().efficacy(digits(28 * 9)).build()), 9);
    EXPECT_EQ(leaflet::measuredRowLines(EntryBuilder().caution(eleven).build()), 11);
    DrugRecord chosen = EntryBuilder().caution("short").build();
    sjis::copyField(chosen.CYUUI_TOROKU, sizeof chosen.CYUUI_TOROKU, eleven);
    EXPECT_EQ(leaflet::measuredRowLines(chosen), 6) << "the user's text counts only when chosen";
    chosen.CYUUI_HYOUJI = 1;
    EXPECT_EQ(leaflet::measuredRowLines(chosen), 11);
}

TEST(RowMeasure, ThreeLineUsageIsMeasuredAsTallAsItIsDrawn) {
    // 50 bytes: three lines at the drawn 24 bytes, which the page draws at least ten lines high.
    const DrugRecord entry = EntryBuilder().usage(digits(50)).build();
    EXPECT_EQ(leaflet::drawnRowLines(entry), 10);
    EXPECT_EQ(leaflet::measuredRowLines(entry), 10);
}

TEST(RowGeometry, ShortRowsTakeTheMinimumHeight) {
    EXPECT_EQ(leaflet::rowBottom(280, 6), 280 + 492);
    EXPECT_EQ(leaflet::rowBottom(280, 11), 280 + 58 * 11 + 16);
}

std::vector<DrugRecord> shortEntries(int n) {
    return std::vector<DrugRecord>(n, DrugRecord{});
}

TEST(Pagination, EmptyListGivesAnEmptyFirstPage) {
    PageTable table;
    table.pages[0] = {3, 3};
    EXPECT_EQ(leaflet::paginate({}, 272, table), PaginateResult::kDone);
    EXPECT_EQ(table.pages[0].entryCount, 0);
    EXPECT_EQ(table.pageTotal(), 0);
}

TEST(Pagination, SixShortRowsFillAPage) {
    // Rows of 492 + 8 units from 280: the sixth ends at 3272, a seventh would end at 3772.
    const auto entries = shortEntries(13);
    PageTable table;
    ASSERT_EQ(leaflet::paginate(entries, 272, table), PaginateResult::kDone);
    EXPECT_EQ(table.pageTotal(), 3);
    EXPECT_EQ(table.lastPage, 2);
    EXPECT_EQ(table.pages[0].firstEntry, 0);
    EXPECT_EQ(table.pages[0].entryCount, 6);
    EXPECT_EQ(table.pages[1].firstEntry, 6);
    EXPECT_EQ(table.pages[1].entryCount, 6);
    EXPECT_EQ(table.pages[2].firstEntry, 12);
    EXPECT_EQ(table.pages[2].entryCount, 1);
}

TEST(Pagination, TallerHeaderLeavesLessRoom) {
    // Eleven-line rows take 654 + 8 units; from 452 below the tallest header four fit.
    std::vector<DrugRecord> tall(6, EntryBuilder().caution(digits(300)).build());
    PageTable table;
    ASSERT_EQ(leaflet::paginate(tall, 444, table), PaginateResult::kDone);
    EXPECT_EQ(table.pages[0].entryCount, 4) << "452 + 4 * 662 - 8 = 3092; a fifth ends at 3754";
    EXPECT_EQ(table.pages[1].entryCount, 2);
}

TEST(Pagination, FifteenPagesAtMost) {
    PageTable table;
    EXPECT_EQ(leaflet::paginate(shortEntries(90), 272, table), PaginateResult::kDone);
    EXPECT_EQ(table.pageTotal(), 15);
    EXPECT_EQ(leaflet::paginate(shortEntries(91), 272, table), PaginateResult::kTooManyPages);
}

TEST(Pagination, RowTallerThanAPageIsRefused) {
    const std::vector<int> rows{6, 60};
    PageTable table;
    EXPECT_EQ(leaflet::paginateRows(rows, 272, table), PaginateResult::kEntryTooTall);
}

}  // namespace
