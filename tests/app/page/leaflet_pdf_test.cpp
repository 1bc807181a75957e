// Leaflets written to PDF and read back with poppler-utils: pages and their texts, the ellipsis
// of a cut note, and the optional elements (pictograms, generic information, large print).
#include "page/leaflet_pdf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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
    const std::string file = leaflet.pdf(dir);
    EXPECT_FALSE(leaflet::writeLeafletPdf("/nonexistent/leaflet.pdf", leaflet.composer));

    const std::string info = pdfInfo(file);
    EXPECT_NE(info.find("Pages:3"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    for (int page = 1; page <= 3; ++page) {
        const std::string p = std::to_string(page), text = pdfText(file, page);
        SCOPED_TRACE("page " + p);
        for (const std::string& expected :
             {std::string("見本花子様のお薬の説明書です"), std::string("令和6年1月9日"),
              p + "/3ページ", std::string("処方医"), std::string("見本内科"),
              std::string("一行目です"), std::string("二行目です"), std::string("0.5"),
              std::string("朝夕食後に服用"),
              SampleLeaflet::drugName(leaflet.table.pages[page - 1].firstEntry + 1)})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    }
}

// Each row: drugs, a setting, the pictures in the PDF and the texts as "text:count" (a bare
// text: at least once).
TEST(LeafletPdf, TextsAndPicturesFollowTheContentAndTheSwitches) {
    using Header = leaflet::LeafletHeader;
    std::vector<DrugRecord> cut = SampleLeaflet::numberedDrugs(1);
    // 400 bytes, and exactly ten lines of 28 bytes
    sjis::copyField(cut[0].SAYOA, sizeof cut[0].SAYOA, repeated("甲", 200));
    sjis::copyField(cut[0].CYUUI, sizeof cut[0].CYUUI, repeated("乙", 140));
    const std::vector<DrugRecord> usages = SampleLeaflet::drugsWithUsages();
    std::vector<DrugRecord> generic = usages;
    std::strcpy(generic[0].ZAIKEI, sjis::fromUtf8("錠").c_str());
    // Four tablets a day of a brand at 9.50 with a generic at 5.70 (15.20 a day), a generic,
    // and a third drug without facts.
    std::vector<DrugGenericFacts> facts{{1, 0, {}, 950, 570}, {1, 1, {}, 570, -1}};
    std::strcpy(facts[0].unit, sjis::fromUtf8("錠").c_str());
    const auto withFacts = [&](bool on) {
        return [&facts, on](Header& h) {
            h.genericFacts = facts;
            h.genericInfo = on;
        };
    };
    struct Case {
        const char* name;
        const std::vector<DrugRecord>& drugs;
        std::function<void(Header&)> set;
        int images;
        const char* texts;
    };
    const Case cases[] = {
        {"a cut note: its last character gives way to the ellipsis", cut, nullptr, 0,
         "甲:139 甲…:1 乙:140 …:1"},
        {"pictograms with their captions", usages, [](Header& h) { h.pictograms = true; }, 9,
         "起床時 朝 夕 寝る前 食後 頓服 発熱時 疼痛時 貼る"},
        {"no pictograms", usages, nullptr, 0, "貼る:0"},
        {"generic information: the brand's lines and the generic's own", generic, withFacts(true),
         0, "後発医薬品があります:1 5.70円／錠:1 1日あたり約15円の差額:1 後発医薬品:2"},
        {"generic information off", generic, withFacts(false), 0, "後発医薬品:0"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Header header = SampleLeaflet::namedPatient();
        if (c.set) c.set(header);
        const std::string file = SampleLeaflet(c.drugs, header).pdf(dir);
        EXPECT_EQ(pdfImageCount(file), c.images);
        const QString text = QString::fromStdString(pdfText(file));
        for (const QString& item : QString(c.texts).split(' ')) {
            const QStringList part = item.split(':');
            const int count = text.count(part[0]);
            EXPECT_TRUE(part.size() > 1 ? count == part[1].toInt() : count > 0)
                << item.toStdString() << " in " << text.toStdString();
        }
    }
}

TEST(LeafletPdf, LargePrintHasTheSameTextsInOrderInLargerLetters) {
    // A note of 280 bytes fills ten lines of the standard size and is not cut in large print.
    std::string efficacy;
    for (int i = 0; i < 14; ++i) efficacy += "熱と痛みを抑えます。";
    std::vector<DrugRecord> drugs = SampleLeaflet::drugsWithUsages();
    drugs.push_back(EntryBuilder()
                        .name("見本カプセル")
                        .timings({0, 3, 0, 0, 0})
                        .usage("１日１回  朝食後に服用")
                        .efficacy(efficacy)
                        .caution("眠気に注意")
                        .build());
    TempDir dir;
    leaflet::LeafletHeader large = SampleLeaflet::namedPatient();
    large.largePrint = true;
    const std::string normalFile = SampleLeaflet(drugs).pdf(dir, "normal.pdf");
    const std::string largeFile = SampleLeaflet(drugs, large).pdf(dir, "large.pdf");
    EXPECT_EQ(pdfDrawnText(largeFile), pdfDrawnText(normalFile));
    EXPECT_GT(pdfWordHeight(largeFile, "熱と痛みを抑えます。"), 0)
        << "a sentence a line when large";
    for (const char* word : {"見本カプセル", "3", "寝前", "１日１回", "眠気に注意"}) {
        SCOPED_TRACE(word);
        const double height = pdfWordHeight(normalFile, word);
        ASSERT_GT(height, 0);
        EXPECT_GT(pdfWordHeight(largeFile, word), 1.3 * height);
    }
}

}  // namespace
