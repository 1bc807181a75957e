// Pages rendered onto the preview's page image, checked where the layout puts things. Layout
// units halve into pixels: a rule at layout y = 772 lies on pixel row 386.
#include "leaflet/page_composer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

#include "entry_builder.h"
#include "leaflet/page_geometry.h"
#include "leaflet/print_list.h"
#include "page_image.h"

namespace {

using leaflet::LeafletHeader;
using leaflet::PageComposer;
using leaflet::PageTable;

// A leaflet of the given entries and photographs, paginated and rendered page by page.
struct Leaflet {
    LeafletHeader header;
    std::vector<DrugRecord> entries;
    std::vector<QImage> photos;
    PageTable table;

    QImage render(int page = 0) {
        photos.resize(entries.size());
        EXPECT_EQ(leaflet::paginate(entries, leaflet::headerBottom(header), table),
                  leaflet::PaginateResult::kDone);
        const PageComposer composer(header, entries, photos, table, QDate(2020, 5, 5));
        QImage image = leaflet::newPageImage();
        image.fill(Qt::gray);  // the composer whitens its page first
        composer.renderPage(image, page);
        return image;
    }
};

DrugRecord shortEntry() {
    return EntryBuilder().name("テスト錠").efficacy("効能").caution("注意").build();
}

TEST(PageRules, HeaderAndRowRulesLieAtTheirRows) {
    Leaflet leaflet;
    leaflet.entries = {shortEntry()};
    const QImage page = leaflet.render();
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::white));

    // Header rules, 4 units wide, at H - 79 = 193 and H = 272 (pixel rows 96 and 136).
    for (int y : {96, 136}) {
        EXPECT_TRUE(rowRule(page, y, 40, 1390)) << y;
        EXPECT_EQ(darkPixels(page, 700, y - 3, 701, y + 3), 4) << y;
    }
    EXPECT_FALSE(isDark(page, 39, 136));
    EXPECT_FALSE(isDark(page, 1391, 136));

    // The row from T = 280 is at least 492 high: its bottom rule at 772, one unit wide.
    EXPECT_TRUE(rowRule(page, 386, 40, 1390));
    EXPECT_EQ(darkPixels(page, 700, 380, 701, 392), 1);
    EXPECT_EQ(darkPixels(page, 20, 390, 1450, 2000), 0) << "nothing below the only row";

    // Column rules from P = 272 to B = 772, none at the page's outer edges.
    for (int x : {376, 686, 1037}) EXPECT_TRUE(columnRule(page, x, 140, 384)) << x;
    EXPECT_EQ(darkPixels(page, 40, 140, 41, 384), 0);
    EXPECT_EQ(darkPixels(page, 1389, 140, 1390, 384), 0);

    // The timing grid: cell rules down to P + 216, labels above P + 72, both rules level.
    for (int x : {438, 500, 562, 624}) {
        EXPECT_TRUE(columnRule(page, x, 140, 242)) << x;
        EXPECT_FALSE(isDark(page, x, 300)) << x;
    }
    EXPECT_TRUE(rowRule(page, 172, 377, 686));
    EXPECT_TRUE(rowRule(page, 244, 377, 686));
}

TEST(PageRules, RowsFollowTheTallestText) {
    Leaflet leaflet;
    // Caution of eleven counted lines: B = 280 + 58 * 11 + 16 = 934; the next row starts at 942.
    leaflet.entries = {EntryBuilder().caution(digits(400)).build(), shortEntry()};
    const QImage page = leaflet.render();
    EXPECT_TRUE(rowRule(page, 467, 40, 1390));
    EXPECT_TRUE(rowRule(page, (942 + 492) / 2, 40, 1390));
    EXPECT_TRUE(columnRule(page, 376, 469, (942 + 492) / 2 - 1));
}

TEST(PageRules, HeaderBlockOfAPharmacyPushesTheTableDown) {
    Leaflet leaflet;
    leaflet.header.dispensingPharmacy = true;
    leaflet.header.prescriber = cp932("佐藤医院");
    leaflet.header.pharmacyName = cp932("みどり薬局");
    leaflet.header.pharmacist = cp932("山田花子");
    leaflet.entries = {shortEntry()};
    const QImage page = leaflet.render();
    // H = 444: rules at 365 and 444 (rows 182 and 222); the lines at 156, 218 and 280.
    EXPECT_TRUE(rowRule(page, 182, 40, 1390));
    EXPECT_TRUE(rowRule(page, 222, 40, 1390));
    EXPECT_FALSE(rowRule(page, 136, 40, 1390));
    for (int y : {78, 109, 140}) EXPECT_GT(darkPixels(page, 40, y, 150, y + 25), 20) << y;

    leaflet.header.dispensingPharmacy = false;
    const QImage clinic = leaflet.render();
    // Only the prescriber line at 164: H = 334.
    EXPECT_TRUE(rowRule(clinic, 167, 40, 1390));
    EXPECT_EQ(darkPixels(clinic, 40, 113, 150, 124), 0) << "no pharmacy line";
}

TEST(PageTitle, NameGivesTitleAndRuleAndMovesTheId) {
    Leaflet leaflet;
    leaflet.header.patientId = "77";
    leaflet.entries = {shortEntry()};
    const QImage anonymous = leaflet.render();
    EXPECT_EQ(darkPixels(anonymous, 40, 20, 85, 70), 0) << "no title and no rule";
    EXPECT_GT(darkPixels(anonymous, 89, 30, 140, 45), 0) << "the ID starts at x = 179";

    leaflet.header.patientName = cp932("山田太郎");  // 8 bytes: title of 30 bytes
    const QImage named = leaflet.render();
    const int ruleEnd = (124 + 34 * 30) / 2;
    EXPECT_TRUE(rowRule(named, 63, 40, ruleEnd));
    EXPECT_FALSE(isDark(named, ruleEnd + 1, 63));
    EXPECT_GT(darkPixels(named, 52, 25, 200, 60), 100);
    EXPECT_GT(darkPixels(named, (179 + 34 * 30) / 2, 30, (179 + 34 * 30) / 2 + 60, 45), 0);
}

TEST(PageRow, PhotographFillsItsRectangle) {
    Leaflet leaflet;
    DrugRecord entry = shortEntry();
    entry.photoFlag = 1;
    leaflet.entries = {entry, shortEntry()};
    QImage photo(leaflet::kPhotoWidth, leaflet::kPhotoHeight, QImage::Format_RGB32);
    photo.fill(QColor(200, 0, 0));
    leaflet.photos = {photo, photo};  // the second entry's flag is 0: no photograph drawn
    const QImage page = leaflet.render();
    // Logical rectangle (130, (280 + 128) / 2) sized 168 x 126.
    const QColor red(200, 0, 0);
    EXPECT_EQ(page.pixelColor(132, 206), red);
    EXPECT_EQ(page.pixelColor(296, 328), red);
    EXPECT_NE(page.pixelColor(127, 250), red);
    EXPECT_NE(page.pixelColor(300, 250), red);
    EXPECT_NE(page.pixelColor(200, 332), red);
    EXPECT_NE(page.pixelColor(200, 202), red);
    const int nextTop = (280 + 500) / 2;
    EXPECT_EQ(darkPixels(page, 130, nextTop + 64, 298, nextTop + 190), 0);
}

TEST(PageRow, AmountsAppearOnlyInTheirTimingCells) {
    Leaflet leaflet;
    leaflet.entries = {EntryBuilder().timings({0, 12, 0, 100, 0}).build()};
    const QImage page = leaflet.render();
    // Amount cells from P + 72 to P + 216 (rows 172 to 244), columns of 62 pixels from 376.
    const auto cellInk = [&](int c) {
        return darkPixels(page, 376 + 62 * c + 2, 174, 376 + 62 * (c + 1) - 1, 243);
    };
    EXPECT_EQ(cellInk(0), 0);
    EXPECT_GT(cellInk(1), 50);
    EXPECT_EQ(cellInk(2), 0);
    EXPECT_GT(cellInk(3), 30);
    EXPECT_EQ(cellInk(4), 0);
}

TEST(PageColour, ColouredInkOnlyInColourMode) {
    Leaflet leaflet;
    leaflet.header.patientName = cp932("山田");
    leaflet.entries = {EntryBuilder()
                           .name("テスト錠")
                           .usage("１日１回  朝食後に服用")
                           .efficacy("血圧を下げる薬です。")
                           .caution("めまいに注意してください。")
                           .build()};
    const QImage mono = leaflet.render();
    EXPECT_EQ(colouredPixels(mono, 0, 0, 1500, 2090), 0);

    leaflet.header.colour = true;
    const QImage colour = leaflet.render();
    EXPECT_GT(colouredPixels(colour, 52, 140, 376, 170), 20) << "product name";
    EXPECT_GT(colouredPixels(colour, 386, 256, 686, 280), 20) << "usage text";
    EXPECT_GT(colouredPixels(colour, 700, 140, 1037, 170), 20) << "efficacy";
    EXPECT_GT(colouredPixels(colour, 1049, 140, 1390, 170), 20) << "caution";
    EXPECT_EQ(colouredPixels(colour, 0, 0, 1500, 137), 0) << "the header stays black";
    const double monoInk = darkPixels(mono, 0, 0, 1500, 2090);
    EXPECT_NEAR(darkPixels(colour, 0, 0, 1500, 2090), monoInk, monoInk * 0.05) << "the same layout";
}

TEST(PageComment, AtMostFiveLinesAtTheFoot) {
    Leaflet leaflet;
    leaflet.entries = {shortEntry()};
    for (int k = 0; k < 7; ++k) leaflet.header.comment += cp932("お大事に") + "\r\n";
    const QImage page = leaflet.render();
    // Line k at layout y = 3760 + 62 k: pixel rows from 1880 + 31 k, 26 high.
    const auto lineInk = [&](int k) {
        return darkPixels(page, 35, 1880 + 31 * k, 200, std::min(1906 + 31 * k, 2090));
    };
    for (int k = 0; k < 5; ++k) EXPECT_GT(lineInk(k), 50) << k;
    EXPECT_EQ(lineInk(5), 0);
    EXPECT_EQ(lineInk(6), 0);
}

TEST(PageRows, RowsNeverRunIntoTheComment) {
    // Usage texts of three drawn lines make rows ten lines high; pagination must count them so.
    Leaflet leaflet;
    leaflet.header.comment = cp932("お大事に");
    for (int i = 0; i < 12; ++i) {
        leaflet.entries.push_back(EntryBuilder().usage(digits(50)).build());
    }
    for (int page = 0; page < 2; ++page) {
        const QImage image = leaflet.render(page);
        int lowestRule = 0;
        for (int y = 0; y < 2090; ++y) {
            if (rowRule(image, y, 40, 1390)) lowestRule = y;
        }
        EXPECT_LE(lowestRule, leaflet::kPageBottom / 2) << "page " << page;
        EXPECT_GT(lowestRule, 1500) << "page " << page;
    }
}

}  // namespace
