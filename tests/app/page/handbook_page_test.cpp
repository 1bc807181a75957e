// The e-medication-handbook codes on the printed leaflet: where they stand, and round trips of
// the written text through the rendered pages, a PDF rendered to PNG and an outside decoder.
#include <gtest/gtest.h>

#include <memory>

#include "ehandbook/handbook_writer.h"
#include "entry_builder.h"
#include "handbook_reading.h"
#include "leaflet/page_geometry.h"
#include "page/leaflet_handbook.h"
#include "page/leaflet_job.h"
#include "page/leaflet_pdf.h"
#include "page_image.h"
#include "pdf_reading.h"
#include "symbol_reading.h"
#include "temp_dir.h"

namespace {

const QDate kDate(2024, 1, 9);

leaflet::LeafletHeader header(std::string_view comment = "お大事に") {
    leaflet::LeafletHeader h;
    h.patientName = cp932("見本 花子");
    h.patientId = "1024";
    h.prescriber = cp932("見本内科　見本 一郎");
    h.pharmacist = cp932("薬剤 太郎");
    h.pharmacyName = cp932("サンプル薬局");
    h.comment = cp932(comment);
    h.dispensingPharmacy = true;
    h.handbookCodes = true;
    h.registered = {2, "19580303", cp932("卵"), ""};
    return h;
}

// `count` drugs with long names, in usage groups of three.
leaflet::PrintList printList(int count) {
    leaflet::PrintList list;
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        list.append(EntryBuilder()
                        .yjcode("2171901F2" + std::string(i < 10 ? "S0" : "S") + n)
                        .name("見本錠" + n + "号「サンプル製薬」５ｍｇ")
                        .form("錠")
                        .timings({0, 1, 0, 1, 0})
                        .amount("用量　１回１錠")
                        .usage("１日２回  朝夕食後に服用" + std::to_string((i + 2) / 3))
                        .days(std::to_string(7 * ((i + 2) / 3)) + "日分")
                        .build(),
                    nullptr);
    }
    return list;
}

struct Leaflet {
    leaflet::PrintList list;
    std::unique_ptr<leaflet::LeafletJob> job;

    Leaflet(int drugs, const leaflet::LeafletHeader& h)
        : list(printList(drugs)), job(std::make_unique<leaflet::LeafletJob>(h, list, kDate)) {
        EXPECT_EQ(job->paginate(), leaflet::PaginateResult::kDone);
    }
    const leaflet::PageComposer& composer() const { return job->composer(); }
    QImage page(int n) const {
        QImage image = leaflet::newPageImage();
        composer().renderPage(image, n);
        return image;
    }
};

// The handbook text the leaflet's codes must carry.
std::string writtenText(const leaflet::LeafletHeader& h, const leaflet::PrintList& list) {
    return ehandbook::handbookText(ehandbook::leafletHandbookInput(
        h, list.entries(), kDate.toString("yyyyMMdd").toStdString()));
}

// The codes' bytes found on page images, joined back into the whole text.
std::string joinedCodes(const std::vector<QImage>& pages, std::size_t expectedCodes) {
    std::vector<std::string> parts;
    for (const DecodedSymbol& symbol : decodeSymbols(pages)) {
        EXPECT_EQ(symbol.ecLevel, "M");
        parts.push_back(symbol.bytes);
    }
    EXPECT_EQ(parts.size(), expectedCodes);
    return parts.size() == 1 ? parts[0] : joinParts(parts);
}

TEST(HandbookCodesOnThePage, StandBesideOrAboveTheCommentAndCoverNothing) {
    struct Case {
        int drugs;
        std::string comment;
        int pages;  // with the codes
        bool besideComment;
    };
    const std::string longLine(100, 'x');
    for (const Case& c :
         {Case{2, "お大事に", 1, true}, Case{2, longLine + "\n" + longLine, 1, false},
          Case{2, "", 1, true}, Case{6, "お大事に", 2, true}}) {
        SCOPED_TRACE(std::to_string(c.drugs) + " drugs, comment " + c.comment);
        const leaflet::LeafletHeader h = header(c.comment);
        const Leaflet leaflet(c.drugs, h);
        ASSERT_EQ(leaflet.job->codes().size(), 1u);
        ASSERT_EQ(leaflet.composer().pageTotal(), c.pages);
        const int last = c.pages - 1;
        const QImage page = leaflet.page(last);
        // The same page without the codes.
        const leaflet::PageComposer withoutCodes(h, leaflet.list.entries(), leaflet.list.photos(),
                                                 leaflet.job->table(), kDate);
        QImage plain = leaflet::newPageImage();
        withoutCodes.renderPage(plain, last);
        // Every pixel the codes change lies in one rectangle holding no ink of the page.
        QRect changed;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != plain.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        ASSERT_FALSE(changed.isEmpty());
        const QRect margin = changed.adjusted(-6, -6, 6, 6);
        EXPECT_EQ(
            inkPixels(plain, margin.left(), margin.top(), margin.right() + 1, margin.bottom() + 1),
            0)
            << "covers the page's ink";
        const bool beside = changed.bottom() >= leaflet::kCommentTop / 2;
        EXPECT_EQ(beside, c.besideComment) << changed.bottom();
        // An outside decoder reads exactly the written text from the page.
        TempDir dir;
        const std::string png = (dir.path() / "page.png").string();
        ASSERT_TRUE(page.save(QString::fromStdString(png)));
        EXPECT_EQ(zbarBytes(png), writtenText(h, leaflet.list));
    }
}

TEST(HandbookCodesOnThePage, RoundTripThroughTheRenderedPagesAndAPdfRenderedToPng) {
    const Leaflet leaflet(30, header());
    const std::size_t codes = leaflet.job->codes().size();
    ASSERT_GE(codes, 2u) << "thirty drugs need several symbols";
    std::vector<QImage> rendered;
    for (int n = 0; n < leaflet.composer().pageTotal(); ++n) rendered.push_back(leaflet.page(n));
    const std::string written = writtenText(header(), leaflet.list);
    EXPECT_EQ(joinedCodes(rendered, codes), written);

    TempDir dir;
    const std::string pdf = (dir.path() / "leaflet.pdf").string();
    ASSERT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(pdf), leaflet.composer()));
    const std::string text = pdfText(pdf);
    for (std::size_t n = 1; n <= codes; ++n) {
        const std::string label =
            "お薬手帳QR(" + std::to_string(n) + "/" + std::to_string(codes) + ")";
        EXPECT_NE(text.find(label), std::string::npos) << label;
    }

    // The pages from the first that holds codes, as a printer would put them on paper.
    constexpr int kDpi = 300;
    const int first = leaflet.job->table().codeBlocks.front().page + 1;
    const std::vector<QImage> pages = pdfPageImages(pdf, kDpi, first);
    ASSERT_EQ(static_cast<int>(pages.size()), leaflet.composer().pageTotal() - first + 1);
    EXPECT_EQ(joinedCodes(pages, codes), written);

    // Modules of at least 0.3 mm on the paper.
    for (const DecodedSymbol& symbol : decodeSymbols(pages))
        EXPECT_GE(symbol.width * 25.4 / kDpi / leaflet.job->codes()[0].size, 0.3);
}

}  // namespace
