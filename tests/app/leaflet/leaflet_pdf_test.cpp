// A leaflet written to PDF and read back with poppler-utils.
#include "leaflet/leaflet_pdf.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "entry_builder.h"
#include "leaflet/page_composer.h"
#include "leaflet/page_geometry.h"
#include "temp_dir.h"

namespace {

std::string run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::array<char, 4096> buffer;
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) out += buffer.data();
    return out;
}

// Texts without the blanks that pdftotext puts between spaced-out glyphs.
std::string squeezed(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

TEST(LeafletPdf, ThreePagesWithTheirTexts) {
    leaflet::LeafletHeader header;
    header.patientName = cp932("見本花子");
    header.prescriber = cp932("見本内科");
    header.comment = cp932("一行目です\n二行目です");  // bare line feeds keep every byte
    std::vector<DrugRecord> entries;
    for (int i = 0; i < 13; ++i) {
        entries.push_back(EntryBuilder()
                              .name("見本錠" + std::to_string(i + 1) + "号")
                              .timings({0, 1, 0, 100, 0})
                              .usage("１日２回  朝夕食後に服用")
                              .efficacy("血圧を下げる薬です。")
                              .build());
    }
    const std::vector<QImage> photos(entries.size());
    leaflet::PageTable table;
    ASSERT_EQ(leaflet::paginate(entries, leaflet::headerBottom(header), table),
              leaflet::PaginateResult::kDone);
    ASSERT_EQ(table.pageTotal(), 3);

    TempDir dir;
    const std::string file = (dir.path() / "leaflet.pdf").string();
    const leaflet::PageComposer composer(header, entries, photos, table, QDate(2024, 1, 9));
    ASSERT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(file), composer));

    const std::string info = run("pdfinfo '" + file + "'");
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("A4"), std::string::npos) << info;

    for (int page = 1; page <= 3; ++page) {
        const std::string text = squeezed(run("pdftotext -f " + std::to_string(page) + " -l " +
                                              std::to_string(page) + " '" + file + "' -"));
        SCOPED_TRACE("page " + std::to_string(page));
        EXPECT_NE(text.find("見本花子様のお薬の説明書です"), std::string::npos) << text;
        EXPECT_NE(text.find("令和6年1月9日"), std::string::npos);
        EXPECT_NE(text.find(std::to_string(page) + "/3ページ"), std::string::npos);
        EXPECT_NE(text.find("処方医"), std::string::npos);
        EXPECT_NE(text.find("見本内科"), std::string::npos);
        EXPECT_NE(text.find("一行目です"), std::string::npos);
        EXPECT_NE(text.find("二行目です"), std::string::npos);
        EXPECT_NE(text.find("0.5"), std::string::npos);
        EXPECT_NE(text.find("朝夕食後に服用"), std::string::npos);
        const int first = table.pages[page - 1].firstEntry + 1;
        EXPECT_NE(text.find("見本錠" + std::to_string(first) + "号"), std::string::npos);
    }
}

TEST(LeafletPdf, UnwritableFileIsReported) {
    leaflet::LeafletHeader header;
    const std::vector<DrugRecord> entries(1);
    const std::vector<QImage> photos(1);
    leaflet::PageTable table;
    leaflet::paginate(entries, leaflet::headerBottom(header), table);
    const leaflet::PageComposer composer(header, entries, photos, table, QDate(2024, 1, 9));
    EXPECT_FALSE(leaflet::writeLeafletPdf("/nonexistent-folder/leaflet.pdf", composer));
}

}  // namespace
