// The お薬手帳 sticker laid out, written to PDF and printed as one job, read back with
// poppler-utils.
#include <gtest/gtest.h>

#include <set>

#include "entry_builder.h"
#include "pdf_reading.h"
#include "preview/print_target.h"
#include "sticker/sticker_layout.h"
#include "sticker/sticker_painter.h"
#include "temp_dir.h"

namespace {

std::vector<DrugRecord> drugs(int count) {
    std::vector<DrugRecord> entries;
    for (int i = 1; i <= count; ++i)
        entries.push_back(EntryBuilder()
                              .name("見本錠" + std::to_string(i) + "号")
                              .amount("１回" + std::to_string(i) + "錠")
                              .usage("１日２回朝夕食後")
                              .days(std::to_string(i) + "日分")
                              .build());
    return entries;
}

sticker::Content content(const std::vector<DrugRecord>& entries) {
    leaflet::LeafletHeader header;
    header.patientName = cp932("見本花子");
    header.pharmacyName = cp932("旧名薬局");
    header.pharmacy.name = cp932("見本薬局");  // the stored name comes before the box's
    header.prescriber = cp932("見本内科");
    return sticker::contentOf(header, entries, "03-0000-0000", sticker::dateText(2024, 1, 9));
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(StickerPdf, PagesAreTheRollWideAndHoldEveryText) {
    const std::vector<DrugRecord> entries = drugs(2);
    TempDir dir;
    // The roll width kept in the settings slot: 58, 62 by default (also for an unknown value), 80;
    // thirteen lines between the margins make a label 56 mm high.
    for (const auto& [stored, pageSize] : {std::pair{58, "Pagesize:164x159pts"},
                                           {0, "Pagesize:176x159pts"},
                                           {80, "Pagesize:227x159pts"},
                                           {70, "Pagesize:176x159pts"}}) {
        SCOPED_TRACE(stored);
        const int width = sticker::widthOf(stored);
        const std::string file = (dir.path() / "sticker.pdf").string();
        ASSERT_TRUE(sticker::writeStickerPdf(
            QString::fromStdString(file), sticker::layoutLabels(content(entries), width), width));
        EXPECT_TRUE(has(pdfInfo(file), pageSize)) << pdfInfo(file);
        const std::string text = pdfText(file);
        for (const char* part :
             {"2024年1月9日", "見本薬局", "03-0000-0000", "見本花子", "見本錠1号", "１回1錠",
              "1日分", "見本錠2号", "１回2錠", "2日分", "１日２回朝夕食後", "見本内科"})
            EXPECT_TRUE(has(text, part)) << part << " in " << text;
    }
    EXPECT_FALSE(sticker::writeStickerPdf("/nonexistent/sticker.pdf",
                                          sticker::layoutLabels(content(entries), 62), 62));
}

TEST(StickerPdf, ALongListGoesOnSeveralLabelsOfOneJob) {
    const std::vector<DrugRecord> entries = drugs(30);
    const auto labels = sticker::layoutLabels(content(entries), 62);
    ASSERT_GT(labels.size(), 2u);

    TempDir dir;
    leaflet::PdfJobs jobs(QString::fromStdString(dir.path().string()));
    ASSERT_TRUE(sticker::printSticker(jobs, labels, 62));
    EXPECT_EQ(jobs.jobCount(), 1);
    const std::string file = jobs.jobPath(1).toStdString();
    EXPECT_TRUE(has(pdfInfo(file), "Pages:" + std::to_string(labels.size()))) << pdfInfo(file);
    const std::string first = pdfText(file, 1);
    EXPECT_TRUE(has(first, "（次のシールに続く）")) << first;
    EXPECT_FALSE(has(first, "（続き）")) << first;
    const std::string second = pdfText(file, 2);
    EXPECT_TRUE(has(second, "（続き）見本花子様")) << second;
    // No drug is lost between labels, and a drug is not split when the next label holds it.
    const std::string all = pdfText(file);
    for (int i = 1; i <= 30; ++i) {
        const std::string drug = "見本錠" + std::to_string(i) + "号１回" + std::to_string(i) +
                                 "錠" + std::to_string(i) + "日分";
        EXPECT_TRUE(has(all, drug)) << drug;
    }
}

// A drug that exactly fills a continued label moves there whole; one too long for any label is
// split, and no label grows past its lines.
TEST(StickerLayout, LongTextsWrapAndOneTooLongEndsInAMark) {
    sticker::Content c = content(drugs(2));
    c.drugs[0].name = repeated("長", 190);   // exactly ten lines at 62 mm
    c.drugs[0].usage = repeated("用", 250);  // more than ten lines
    c.drugs[1] = c.drugs[0];
    c.drugs[1].name = repeated("薬", 190);
    c.drugs[1].usage = repeated("服", 250);
    c.drugs[1].amount = repeated("量", 30);  // two lines: the drug needs more than a label
    const auto labels = sticker::layoutLabels(c, 62);
    std::string names;
    std::string usage;
    std::set<std::size_t> firstDrug;  // the labels that hold the first drug
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_LE(labels[i].lines.size(), std::size_t(sticker::kMaxLabelLines)) << i;
        for (const sticker::Line& line : labels[i].lines) {
            EXPECT_LE(line.indent + static_cast<int>(line.text.size()), sticker::lineBytes(62));
            if (line.text.starts_with(cp932("長"))) names += line.text;
            if (line.text.starts_with(cp932("長")) || line.text.starts_with(cp932("用")))
                firstDrug.insert(i);
            if (line.text.starts_with(cp932("服"))) usage = line.text;
        }
    }
    EXPECT_EQ(names, c.drugs[0].name) << "ten lines are whole, without a mark";
    EXPECT_EQ(firstDrug.size(), 1u);
    EXPECT_TRUE(usage.ends_with(cp932("…"))) << "the last usage line shows that text is missing";
}

}  // namespace
