// The leaflet's optional elements: switched off, pages are the same pixels as the leaflet
// without them (hashes of pages rendered before the elements existed); switched on, their
// pictures and captions are in the PDF, and large print has the same texts in larger letters.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <cstring>

#include "page/leaflet_pdf.h"
#include "page_image.h"
#include "pdf_reading.h"
#include "sample_leaflet.h"
#include "temp_dir.h"

namespace {

// Drugs that would get pictograms: timings with a meal timing, an as-needed trigger, a patch.
std::vector<DrugRecord> drugsWithUsages() {
    return {EntryBuilder()
                .name("見本錠")
                .timings({1, 1, 0, 1, 1})
                .meal(leaflet::kAfterMeals)
                .usage("１日３回  朝夕食後と寝る前に服用")
                .efficacy("血圧を下げる薬です。")
                .build(),
            EntryBuilder().name("見本頓服錠").usage("発熱時・疼痛時に頓服").build(),
            EntryBuilder().name("見本テープ").form("貼付剤").usage("１日１回  貼付").build()};
}

std::string pageHash(const leaflet::LeafletHeader& header) {
    const SampleLeaflet leaflet(drugsWithUsages(), header);
    QImage image = leaflet::newPageImage();
    leaflet.composer.renderPage(image, 0);
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                    QCryptographicHash::Sha1)
        .toHex()
        .toStdString();
}

// Writes the leaflet of `drugs` as `name` in `dir`; returns the file's path.
std::string writePdf(const TempDir& dir, const char* name, const std::vector<DrugRecord>& drugs,
                     const leaflet::LeafletHeader& header) {
    const SampleLeaflet leaflet(drugs, header);
    const std::string file = (dir.path() / name).string();
    EXPECT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(file), leaflet.composer));
    return file;
}

TEST(PageSwitches, OffLeavesThePageAsBefore) {
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
        EXPECT_EQ(pageHash(header), c.hash);
    }
}

TEST(PageSwitches, PictogramsWithTheirCaptionsInThePdf) {
    leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
    header.pictograms = true;
    TempDir dir;
    const std::string file = writePdf(dir, "leaflet.pdf", drugsWithUsages(), header);
    // 起床時, 朝, 夕, 寝る前, 食後; 頓服, 発熱時, 疼痛時; 貼る.
    EXPECT_EQ(pdfImageCount(file), 9);
    const std::string text = pdfText(file);
    for (const char* caption :
         {"起床時", "朝", "夕", "寝る前", "食後", "頓服", "発熱時", "疼痛時", "貼る"})
        EXPECT_NE(text.find(caption), std::string::npos) << caption << " in " << text;
}

TEST(PageSwitches, PictogramsFollowTheColourSetting) {
    for (const bool colour : {false, true}) {
        SCOPED_TRACE(colour ? "colour" : "monochrome");
        leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
        header.pictograms = true;
        header.colour = colour;
        const SampleLeaflet leaflet(drugsWithUsages(), header);
        QImage image = leaflet::newPageImage();
        leaflet.composer.renderPage(image, 0);
        // The first drug's strip, in the usage column below its days text.
        EXPECT_GT(inkPixels(image, 376, 340, 686, 460), 200);
        EXPECT_EQ(inkPixels(image, 376, 340, 686, 460, true) > 200, colour);
    }
}

TEST(PageSwitches, GenericInformationUnderTheNamesOnlyWhenOn) {
    std::vector<DrugRecord> drugs = drugsWithUsages();
    std::strcpy(drugs[0].ZAIKEI, sjis::fromUtf8("錠").c_str());
    // Four tablets a day of a brand at 9.50 with a generic at 5.70 (15.20 a day), a generic.
    std::vector<DrugGenericFacts> facts{{1, 0, {}, 950, 570}, {1, 1, {}, 570, -1}};
    std::strcpy(facts[0].unit, sjis::fromUtf8("錠").c_str());
    TempDir dir;
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "on" : "off");
        leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
        header.genericInfo = on;
        header.genericFacts = facts;
        const std::string text = pdfText(writePdf(dir, on ? "on.pdf" : "off.pdf", drugs, header));
        for (const char* line : {"後発医薬品があります", "5.70円／錠", "1日あたり約15円の差額"})
            EXPECT_EQ(text.find(line) != std::string::npos, on) << line << " in " << text;
        // The brand's line and the generic's own; nothing for the third drug without facts.
        const auto second = text.find("後発医薬品", text.find("後発医薬品") + 1);
        EXPECT_EQ(second != std::string::npos, on);
        EXPECT_EQ(text.find("後発医薬品", second + 1), std::string::npos);
    }
}

TEST(PageSwitches, LargePrintHasTheSameTextsInOrderInLargerLetters) {
    // A note of 280 bytes fills ten lines of the standard size and is not cut in large print.
    std::string efficacy;
    for (int i = 0; i < 14; ++i) efficacy += "熱と痛みを抑えます。";
    std::vector<DrugRecord> drugs = drugsWithUsages();
    drugs.push_back(EntryBuilder()
                        .name("見本カプセル")
                        .timings({0, 3, 0, 0, 0})
                        .usage("１日１回  朝食後に服用")
                        .efficacy(efficacy)
                        .caution("眠気に注意")
                        .build());
    TempDir dir;
    const auto write = [&](bool large) {
        leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
        header.largePrint = large;
        return writePdf(dir, large ? "large.pdf" : "normal.pdf", drugs, header);
    };
    const std::string normal = write(false);
    const std::string large = write(true);
    EXPECT_EQ(pdfDrawnText(large), pdfDrawnText(normal));
    EXPECT_GT(pdfWordHeight(large, "熱と痛みを抑えます。"), 0) << "a sentence a line when large";
    for (const char* word : {"見本カプセル", "3", "寝前", "１日１回", "眠気に注意"}) {
        SCOPED_TRACE(word);
        const double height = pdfWordHeight(normal, word);
        ASSERT_GT(height, 0);
        EXPECT_GT(pdfWordHeight(large, word), 1.3 * height);
    }

    // Fewer drugs on a page: thirteen take three pages, four in large print.
    leaflet::LeafletHeader header = SampleLeaflet::namedPatient();
    header.largePrint = true;
    EXPECT_EQ(SampleLeaflet(13, header).composer.pageTotal(), 4);
}

}  // namespace
