// Pages rendered onto the preview's page image, checked where the layout puts things. Layout
// units halve into pixels: a rule at layout y = 772 lies on pixel row 386.
#include "page/page_composer.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <vector>

#include "entry_builder.h"
#include "leaflet/page_geometry.h"
#include "page/print_list.h"
#include "page_image.h"
#include "sample_leaflet.h"

namespace {

// A leaflet of the given entries and photographs, paginated and rendered page by page.
struct Leaflet {
    leaflet::LeafletHeader header;
    std::vector<DrugRecord> entries{EntryBuilder().name("テスト錠").build()};
    std::vector<QImage> photos;

    QImage render(int page = 0) {
        photos.resize(entries.size());
        leaflet::PageTable table;
        EXPECT_EQ(leaflet::paginate(entries, leaflet::headerBottom(header), table),
                  leaflet::PaginateResult::kDone);
        QImage image = leaflet::newPageImage();
        image.fill(Qt::gray);  // the composer whitens its page first
        leaflet::PageComposer(header, entries, photos, table, QDate(2020, 5, 5))
            .renderPage(image, page);
        return image;
    }
};

TEST(PageRules, HeaderAndRowRulesLieAtTheirRows) {
    const QImage page = Leaflet().render();
    // Header rules, 4 units wide, at H - 79 = 193 and H = 272; nothing past x = 80 and 2780.
    for (int y : {96, 136}) {
        EXPECT_TRUE(rowRule(page, y, 40, 1390)) << y;
        EXPECT_EQ(inkPixels(page, 700, y - 3, 701, y + 3), 4) << y;
    }
    // The row from T = 280 is 492 high: a one-unit rule at 772, and nothing below it.
    EXPECT_TRUE(rowRule(page, 386, 40, 1390));
    EXPECT_EQ(inkPixels(page, 20, 387, 1450, 2090), 0);
    // Column rules from P = 272 to B, none at the outer edges.
    for (int x : {376, 686, 1037}) EXPECT_TRUE(columnRule(page, x, 140, 384)) << x;
    EXPECT_EQ(inkPixels(page, 40, 140, 41, 384) + inkPixels(page, 1389, 140, 1390, 384), 0);
    // The timing grid: cell rules down to P + 216, level rules at P + 72 and P + 216.
    for (int x : {438, 500, 562, 624}) {
        EXPECT_TRUE(columnRule(page, x, 140, 242)) << x;
        EXPECT_FALSE(isDark(page, x, 300)) << x;
    }
    EXPECT_TRUE(rowRule(page, 172, 377, 686));
    EXPECT_TRUE(rowRule(page, 244, 377, 686));
}

TEST(PageHeader, TitleIdAndHeaderBlock) {
    Leaflet leaflet;
    leaflet.header.patientId = "77";
    const QImage anonymous = leaflet.render();
    EXPECT_EQ(inkPixels(anonymous, 40, 20, 85, 70), 0) << "no title and no rule";
    EXPECT_GT(inkPixels(anonymous, 89, 30, 140, 45), 0) << "the ID starts at x = 179";

    leaflet.header.patientName = cp932("山田太郎");  // a title of 30 bytes
    leaflet.header.dispensingPharmacy = true;
    leaflet.header.prescriber = cp932("佐藤医院");
    leaflet.header.pharmacyName = cp932("みどり薬局");
    leaflet.header.pharmacist = cp932("山田花子");
    const QImage page = leaflet.render();
    EXPECT_TRUE(rowRule(page, 63, 40, (124 + 34 * 30) / 2));
    EXPECT_GT(inkPixels(page, (179 + 34 * 30) / 2, 30, (179 + 34 * 30) / 2 + 60, 45), 0);
    // Three lines from 156, 62 apart: H = 444, its rules at rows 182 and 222.
    for (int y : {78, 109, 140}) EXPECT_GT(inkPixels(page, 40, y, 150, y + 25), 20) << y;
    EXPECT_TRUE(rowRule(page, 182, 40, 1390));
    EXPECT_TRUE(rowRule(page, 222, 40, 1390));
}

TEST(PageRow, PhotographAndAmountsInTheirCells) {
    Leaflet leaflet;
    leaflet.entries = {EntryBuilder().timings({0, 12, 0, 100, 0}).build(), DrugRecord{}};
    leaflet.entries[0].photoFlag = 1;
    QImage photo(leaflet::kPhotoWidth, leaflet::kPhotoHeight, QImage::Format_RGB32);
    photo.fill(QColor(200, 0, 0));
    leaflet.photos = {photo, photo};  // the second entry's flag is 0: no photograph
    const QImage page = leaflet.render();
    // The photograph fills logical (130, (280 + 128) / 2) sized 168 x 126, and no more.
    const QColor red(200, 0, 0);
    EXPECT_EQ(page.pixelColor(132, 206), red);
    EXPECT_EQ(page.pixelColor(296, 328), red);
    for (QPoint p : {QPoint(127, 250), QPoint(300, 250), QPoint(200, 332), QPoint(200, 202)}) {
        EXPECT_NE(page.pixelColor(p), red) << p.x() << "," << p.y();
    }
    // Amount cells between rows 172 and 244, 62 pixels wide from 376.
    for (int c = 0; c < 5; ++c) {
        const int ink = inkPixels(page, 376 + 62 * c + 2, 174, 376 + 62 * (c + 1) - 1, 243);
        EXPECT_EQ(ink > 30, c == 1 || c == 3) << "cell " << c;
    }
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
    EXPECT_EQ(inkPixels(mono, 0, 0, 1500, 2090, true), 0);
    leaflet.header.colour = true;
    const QImage colour = leaflet.render();
    // Name, usage, efficacy and caution in their colours; the header stays black.
    for (QRect r : {QRect(52, 140, 324, 30), QRect(386, 256, 300, 24), QRect(700, 140, 337, 30),
                    QRect(1049, 140, 341, 30)}) {
        EXPECT_GT(inkPixels(colour, r.left(), r.top(), r.right(), r.bottom(), true), 20) << r.x();
    }
    EXPECT_EQ(inkPixels(colour, 0, 0, 1500, 137, true), 0);
}

TEST(PageFoot, CommentHasAtMostFiveLinesAndRowsNeverReachIt) {
    Leaflet leaflet;
    for (int k = 0; k < 7; ++k) leaflet.header.comment += cp932("お大事に") + "\r\n";
    // Usage texts of three drawn lines make rows ten lines high: two pages of them.
    leaflet.entries.assign(12, EntryBuilder().usage(digits(50)).build());
    for (int page = 0; page < 2; ++page) {
        const QImage image = leaflet.render(page);
        // Comment line k from pixel row 1880 + 31 k, 26 high.
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(inkPixels(image, 35, 1880 + 31 * k, 200, 1906 + 31 * k) > 50, k < 5) << k;
        }
        int lowestRule = 0;
        for (int y = 0; y < 2090; ++y) lowestRule = rowRule(image, y, 40, 1390) ? y : lowestRule;
        EXPECT_LE(lowestRule, leaflet::kPageBottom / 2) << "page " << page;
        EXPECT_GT(lowestRule, 1500) << "page " << page;
    }
}

// Switched off, the optional elements leave the page the same pixels as before they existed
// (hashes of pages rendered then); pictograms follow the colour setting.
TEST(PageSwitches, OffLeavesThePageAsBeforeAndPictogramsFollowTheColour) {
    struct Case {
        const char* name;
        bool colour;
        const char* hash;
    };
    for (const Case& c : {Case{"monochrome", false, "2eb82b87561c7482922f647180c773a9e744848a"},
                          Case{"colour", true, "a52be96f998fa0004d7d271f080bfd4e6f8ddffb"}}) {
        SCOPED_TRACE(c.name);
        leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
        header.colour = c.colour;
        const QImage off = SampleLeaflet(SampleLeaflet::drugsWithUsages(), header).render();
        EXPECT_EQ(QCryptographicHash::hash(QByteArrayView(off.constBits(), off.sizeInBytes()),
                                           QCryptographicHash::Sha1)
                      .toHex()
                      .toStdString(),
                  c.hash);
        header.pictograms = true;
        const QImage on = SampleLeaflet(SampleLeaflet::drugsWithUsages(), header).render();
        // The first drug's strip, in the usage column below its days text.
        EXPECT_GT(inkPixels(on, 376, 340, 686, 460), 200);
        EXPECT_EQ(inkPixels(on, 376, 340, 686, 460, true) > 200, c.colour);
    }
}

}  // namespace
