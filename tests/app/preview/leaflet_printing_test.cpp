// Printing through the PDF print target: one job, one file, per leaflet page, read back with
// poppler-utils.
#include "preview/leaflet_printing.h"

#include <gtest/gtest.h>

#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>

#include "pdf_reading.h"
#include "sample_leaflet.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(PrintPages, EveryPageIsAJobOfItsOwnNamedSoramidoAcrossThePrintableWidth) {
    const SampleLeaflet leaflet(13);
    ASSERT_EQ(leaflet.composer.pageTotal(), 3);
    TempDir dir;
    leaflet::PdfJobs jobs(QString::fromStdString(dir.path().string()));
    ASSERT_EQ(leaflet::printPages(leaflet.composer, jobs), leaflet::PrintOutcome::kPrinted);
    ASSERT_EQ(jobs.jobCount(), 3);

    for (int job = 1; job <= 3; ++job) {
        SCOPED_TRACE("job " + std::to_string(job));
        const std::string file = jobs.jobPath(job).toStdString();
        const std::string info = pdfInfo(file);
        EXPECT_NE(info.find("Title:ソラミド"), std::string::npos) << info;
        EXPECT_NE(info.find("Pages:1"), std::string::npos) << info;
        const std::string text = pdfText(file);
        EXPECT_NE(text.find(std::to_string(job) + "/3ページ"), std::string::npos) << text;
    }
    EXPECT_FALSE(fs::exists(jobs.jobPath(4).toStdString()));

    // The page fills the printable width: the head of the caution column, at 1,163 of 1,445
    // logical units, lies as far across the A4 page's printable area.
    const std::string words = compactOutput("pdftotext -bbox '" + jobs.jobPath(1).toStdString() +
                                            "' - | grep '>注意事項<'");
    const std::size_t at = words.find("xMin=\"");
    ASSERT_NE(at, std::string::npos) << words;
    const double xMin = std::stod(words.substr(at + 6));
    const double margin = 5 / 25.4 * 72, printable = 595.28 - 2 * margin;
    EXPECT_NEAR(xMin, margin + printable * 1163 / 1445, 3.0);
}

// A target that refuses the job it is told to.
class RefusingJobs : public leaflet::PdfJobs {
  public:
    RefusingJobs(QString folder, int refused) : PdfJobs(std::move(folder)), refused_(refused) {}
    QPagedPaintDevice* beginJob(const QString& name) override {
        QPagedPaintDevice* device = PdfJobs::beginJob(name);
        return jobCount() == refused_ ? nullptr : device;
    }

  private:
    int refused_;
};

// A target whose device another painter holds, so no page can be painted on it, and which
// says every job was delivered.
class ClaimingJobs : public leaflet::PdfJobs {
  public:
    using PdfJobs::PdfJobs;
    QPagedPaintDevice* beginJob(const QString& name) override {
        QPagedPaintDevice* device = PdfJobs::beginJob(name);
        holder_.begin(device);
        return device;
    }
    bool endJob() override {
        holder_.end();
        PdfJobs::endJob();
        return true;
    }

  private:
    QPainter holder_;
};

TEST(PrintPages, FailuresAreReportedAndStopThePrint) {
    const SampleLeaflet leaflet(13);
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());

    RefusingJobs refusing(folder, 2);
    EXPECT_EQ(leaflet::printPages(leaflet.composer, refusing), leaflet::PrintOutcome::kJobFailed);
    EXPECT_EQ(refusing.jobCount(), 2);  // the third page is not attempted

    leaflet::PdfJobs nowhere(folder + "/missing");
    EXPECT_EQ(leaflet::printPages(leaflet.composer, nowhere), leaflet::PrintOutcome::kJobFailed);
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    ClaimingJobs unpainted(folder);
    EXPECT_EQ(leaflet::printPages(leaflet.composer, unpainted), leaflet::PrintOutcome::kJobFailed);

    if (leaflet::SystemPrinter::available()) GTEST_SKIP() << "this system has a default printer";
    leaflet::SystemPrinter printer;
    EXPECT_EQ(leaflet::printPages(leaflet.composer, printer), leaflet::PrintOutcome::kNoPrinter);
    EXPECT_EQ(printer.beginJob(leaflet::kPrintJobName), nullptr);
}

}  // namespace
