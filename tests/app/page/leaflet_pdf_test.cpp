// A leaflet written to PDF and read back with poppler-utils.
#include "page/leaflet_pdf.h"

#include <gtest/gtest.h>

#include "pdf_reading.h"
#include "sample_leaflet.h"
#include "temp_dir.h"

namespace {

TEST(LeafletPdf, ThreePagesWithTheirTexts) {
    leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
    header.prescriber = cp932("見本内科");
    header.comment = cp932("一行目です\n二行目です");  // bare line feeds keep every byte
    const SampleLeaflet leaflet(13, header);

    TempDir dir;
    const std::string file = (dir.path() / "leaflet.pdf").string();
    ASSERT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(file), leaflet.composer));
    EXPECT_FALSE(leaflet::writeLeafletPdf("/nonexistent/leaflet.pdf", leaflet.composer));

    const std::string info = pdfInfo(file);
    EXPECT_NE(info.find("Pages:3"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    for (int page = 1; page <= 3; ++page) {
        const std::string p = std::to_string(page);
        const std::string text = pdfText(file, page);
        SCOPED_TRACE("page " + p);
        for (const std::string& expected :
             {std::string("見本花子様のお薬の説明書です"), std::string("令和6年1月9日"),
              p + "/3ページ", std::string("処方医"), std::string("見本内科"),
              std::string("一行目です"), std::string("二行目です"), std::string("0.5"),
              std::string("朝夕食後に服用"),
              SampleLeaflet::drugName(leaflet.table.pages[page - 1].firstEntry + 1)}) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
        }
    }
}

// The number of times `part` occurs in `text`.
std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(LeafletPdf, TextsLongerThanTheirRowEndInAnEllipsis) {
    std::vector<DrugRecord> drugs = SampleLeaflet::numberedDrugs(1);
    // 400 bytes, and exactly ten lines of 28 bytes
    sjis::copyField(drugs[0].SAYOA, sizeof drugs[0].SAYOA, repeated("甲", 200));
    sjis::copyField(drugs[0].CYUUI, sizeof drugs[0].CYUUI, repeated("乙", 140));
    const SampleLeaflet leaflet(std::move(drugs));

    TempDir dir;
    const std::string file = (dir.path() / "leaflet.pdf").string();
    ASSERT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(file), leaflet.composer));
    const std::string text = pdfText(file);
    EXPECT_EQ(occurrences(text, "甲"), 139u) << "the last of 140 gives way to the ellipsis";
    EXPECT_EQ(occurrences(text, "甲…"), 1u);
    EXPECT_EQ(occurrences(text, "乙"), 140u);
    EXPECT_EQ(occurrences(text, "…"), 1u) << "a text that fits is not marked";
}

}  // namespace
