// Header geometry, row heights as measured for pagination, and the dealing onto pages.
#include "leaflet/pagination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "entry_builder.h"
#include "leaflet/comment_lines.h"
#include "leaflet/page_geometry.h"

namespace {

using leaflet::PageTable;
using leaflet::PaginateResult;

TEST(HeaderGeometry, BlockLinesDependOnTheBusinessType) {
    leaflet::LeafletHeader header;
    EXPECT_EQ(leaflet::headerBottom(header), 272);
    header.pharmacyName = cp932("みどり薬局");
    header.pharmacist = cp932("山田");
    EXPECT_EQ(leaflet::headerBottom(header), 272) << "a clinic shows only the prescriber";
    header.prescriber = cp932("佐藤医院");
    EXPECT_EQ(leaflet::headerBottom(header), 334);
    header.dispensingPharmacy = true;
    EXPECT_EQ(leaflet::headerBottom(header), 444);
}

TEST(RowMeasure, TextsThatSetTheHeight) {
    const auto lines = [](EntryBuilder b, leaflet::RowStyle style = {}) {
        return leaflet::measuredRowLines(b.build(), style);
    };
    EXPECT_EQ(lines(EntryBuilder()), 6) << "an empty usage text takes no line";
    EXPECT_EQ(lines(EntryBuilder().usage(digits(20))), 7);
    EXPECT_EQ(lines(EntryBuilder().usage(digits(21))), 8);
    EXPECT_EQ(lines(EntryBuilder().usage(digits(19) + "あ")), 8);
    EXPECT_EQ(lines(EntryBuilder().caution(digits(300))), 11);
    // Three drawn lines of usage make a row ten lines high; pagination counts it so.
    EXPECT_EQ(lines(EntryBuilder().usage(digits(50))), 10);

    DrugRecord chosen = EntryBuilder().build();
    sjis::copyField(chosen.CYUUI_TOROKU, sizeof chosen.CYUUI_TOROKU, digits(300));
    EXPECT_EQ(leaflet::measuredRowLines(chosen), 6) << "the user's text counts only when chosen";
    chosen.CYUUI_HYOUJI = 1;
    EXPECT_EQ(leaflet::measuredRowLines(chosen), 11);

    // Large print: narrower lines, and notes of up to sixteen lines.
    const leaflet::RowStyle large{false, true};
    EXPECT_EQ(lines(EntryBuilder().usage(digits(18)), large), 7);
    EXPECT_EQ(lines(EntryBuilder().usage(digits(19)), large), 8);
    EXPECT_EQ(lines(EntryBuilder().caution(digits(288)), large), 16);
    EXPECT_EQ(lines(EntryBuilder().caution(digits(300)), large), 17);
}

TEST(Pagination, RowsAreDealtOntoPagesInOrder) {
    // Six-line rows take 492 + 8 units; from 280 six fit (the sixth ends at 3272).
    struct Case {
        const char* name;
        std::vector<int> rows;
        int headerBottom;
        PaginateResult result;
        std::vector<int> firstEntries;  // of each page
    };
    using enum PaginateResult;
    const int bottom = leaflet::kPageBottom;
    const std::vector<int> fifteen = {0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84};
    const Case cases[] = {
        {"an empty list leaves an empty first page", {}, 272, kDone, {}},
        {"thirteen short rows", std::vector<int>(13, 6), 272, kDone, {0, 6, 12}},
        {"a row ending on the page bottom stays", {6, 6}, bottom - 1000, kDone, {0}},
        {"one unit lower it moves", {6, 6}, bottom - 999, kDone, {0, 1}},
        {"fifteen pages", std::vector<int>(90, 6), 272, kDone, fifteen},
        {"sixteen pages", std::vector<int>(91, 6), 272, kTooManyPages, {}},
        {"a row taller than a page", {6, 60}, 272, kEntryTooTall, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageTable table;
        table.pages[0] = {3, 3};
        ASSERT_EQ(leaflet::paginateRows(c.rows, c.headerBottom, table), c.result);
        if (c.result != kDone) continue;
        std::vector<int> firsts;
        for (int page = 0; page < table.pageTotal(); ++page) {
            firsts.push_back(table.pages[page].firstEntry);
            const int next = page + 1 < table.pageTotal() ? table.pages[page + 1].firstEntry
                                                          : static_cast<int>(c.rows.size());
            EXPECT_EQ(table.pages[page].entryCount, next - firsts.back()) << page;
        }
        EXPECT_EQ(firsts, c.firstEntries);
        EXPECT_EQ(table.lastPage, std::max(table.pageTotal() - 1, 0));
    }

    // Entries are measured as pagination counts them: eleven-line rows take 654 + 8 units;
    // from 452 below the tallest header four fit.
    PageTable table;
    const std::vector<DrugRecord> tall(6, EntryBuilder().caution(digits(300)).build());
    ASSERT_EQ(leaflet::paginate(tall, 444, table), PaginateResult::kDone);
    EXPECT_EQ(table.pages[0].entryCount, 4);

    // Large rows are at least 689 + 8 units: ninety short entries fill fifteen pages of the
    // standard size but would need more than fifteen large ones.
    const std::vector<DrugRecord> shortRows(90);
    ASSERT_EQ(leaflet::paginate(shortRows, 272, table), PaginateResult::kDone);
    EXPECT_EQ(leaflet::paginate(shortRows, 272, table, {false, true}),
              PaginateResult::kTooManyPages);
}

// Codes of version 35 (157 modules), the largest a part of 1,800 bytes needs.
constexpr int kLargeCode = 157;

TEST(CodePlacement, CodesTakeTheLastPageWhenTheyFitElsePagesOfTheirOwn) {
    leaflet::LeafletHeader header;
    header.comment = cp932("お大事に");
    PageTable table;
    ASSERT_EQ(leaflet::paginate(std::vector<DrugRecord>(2), 272, table), PaginateResult::kDone);
    ASSERT_EQ(leaflet::placeCodes(2, kLargeCode, header, table), PaginateResult::kDone);
    ASSERT_EQ(table.codeBlocks.size(), 1u);
    const leaflet::CodeBlock& beside = table.codeBlocks[0];
    EXPECT_EQ(beside.page, 0);
    EXPECT_EQ(beside.columns, 2) << "side by side where the page is wide enough";
    EXPECT_EQ(beside.cellTop(1) + beside.cellHeight(), leaflet::kCodeAreaBottom);
    EXPECT_EQ(beside.cellLeft(1) + beside.symbolSide, leaflet::kRowsRight);
    EXPECT_GE(beside.top, table.lastRowBottom + leaflet::kCodeGap);
    EXPECT_EQ(table.pageTotal(), 1);

    // Two pages of rows, the second full: five codes go onto a page of their own, then onto
    // a second one, as many on each as an empty page holds.
    ASSERT_EQ(leaflet::paginate(std::vector<DrugRecord>(12), 272, table), PaginateResult::kDone);
    ASSERT_EQ(leaflet::placeCodes(9, kLargeCode, header, table), PaginateResult::kDone);
    ASSERT_EQ(table.codeBlocks.size(), 2u);
    EXPECT_EQ(table.codeBlocks[0].page, 2);
    EXPECT_EQ(table.codeBlocks[0].firstCode, 0);
    EXPECT_EQ(table.codeBlocks[0].codeCount, 6) << "three rows of two";
    EXPECT_EQ(table.codeBlocks[1].page, 3);
    EXPECT_EQ(table.codeBlocks[1].firstCode, 6);
    EXPECT_EQ(table.codeBlocks[1].codeCount, 3);
    EXPECT_EQ(table.pageTotal(), 4);
    for (const leaflet::CodeBlock& block : table.codeBlocks)
        EXPECT_GE(block.top, leaflet::headerBottom(header) + leaflet::kCodeGap);

    ASSERT_EQ(leaflet::placeCodes(0, kLargeCode, header, table), PaginateResult::kDone);
    EXPECT_TRUE(table.codeBlocks.empty());
    EXPECT_EQ(table.pageTotal(), 2);
}

// A one-code block of 41 modules is 346 high and 294 wide: at the foot of the page its top is
// 3774 and its left 2486, which a comment line of 92 bytes ends exactly the gap before.
TEST(CodePlacement, ABlockFitsBesideAtExactlyTheGap) {
    struct Case {
        const char* name;
        std::string comment;
        int rowsBottom;
    };
    const Case cases[] = {{"rows ending the gap above it", "", 3774 - leaflet::kCodeGap},
                          {"a comment line ending the gap left of it", std::string(92, 'x'), 272}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto block = leaflet::placeCodeBlock(1, 41, c.comment, c.rowsBottom);
        ASSERT_TRUE(block);
        EXPECT_EQ(std::pair(block->left, block->top), std::pair(2486, 3774));
    }
    EXPECT_EQ(leaflet::commentLines("a\r\nb\n\nc"),
              (std::vector<std::string_view>{"a", "b", "", "c"}));
}

TEST(CodePlacement, RefusesCodesPastTheFifteenthPageOrWiderThanAPage) {
    leaflet::LeafletHeader header;
    PageTable table;
    ASSERT_EQ(leaflet::paginate(std::vector<DrugRecord>(90), 272, table), PaginateResult::kDone);
    EXPECT_EQ(leaflet::placeCodes(1, kLargeCode, header, table), PaginateResult::kTooManyPages);
    ASSERT_EQ(leaflet::paginate(std::vector<DrugRecord>(1), 272, table), PaginateResult::kDone);
    EXPECT_EQ(leaflet::placeCodes(1, 600, header, table), PaginateResult::kCodeTooLarge);
}

}  // namespace
