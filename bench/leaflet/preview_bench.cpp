// The preview window and printing of a fifteen-page leaflet: opening the preview, turning a
// page, and printing every page as a job of its own through the PDF print target; each beside
// the composer's own work without the window or the jobs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include "bench_leaflet.h"
#include "page/leaflet_pdf.h"
#include "page/page_fonts.h"
#include "preview/leaflet_printing.h"
#include "preview/preview_window.h"
#include "ui/qt_prompts.h"

namespace {

using bench::BenchLeaflet;

const QSize kScreen(1920, 1040);  // width, height without task bars

// Opening: the window with its controls, the first page rendered and scaled, shown and painted.
void OpenPreviewFifteenPages(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    const auto composer = leaflet.composer();
    ui::QtPrompts prompts;
    for (auto _ : state) {
        leaflet::PreviewWindow window(composer, prompts, {}, nullptr, kScreen);
        window.show();
        window.repaint();
    }
}
BENCHMARK(OpenPreviewFifteenPages)->Unit(benchmark::kMillisecond);

// One page turn: the button, the page rendered and scaled, the window painted.
void PreviewPageTurn(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    const auto composer = leaflet.composer();
    ui::QtPrompts prompts;
    leaflet::PreviewWindow window(composer, prompts, {}, nullptr, kScreen);
    window.show();
    auto* next = window.findChild<QPushButton*>("nextPageButton");
    auto* previous = window.findChild<QPushButton*>("previousPageButton");
    for (auto _ : state) {
        (window.currentPage() + 1 < composer.pageTotal() ? next : previous)->click();
        window.repaint();
    }
}
BENCHMARK(PreviewPageTurn)->Unit(benchmark::kMillisecond);

// The bare work of showing a page: the composer drawing it and the smooth scaling.
void BareRenderAndScalePage(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    const auto composer = leaflet.composer();
    QImage page = leaflet::newPageImage();
    int n = 0;
    for (auto _ : state) {
        composer.renderPage(page, n++ % composer.pageTotal());
        benchmark::DoNotOptimize(
            page.copy(0, 0, 1454, 2090)
                .scaled(710, 980, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}
BENCHMARK(BareRenderAndScalePage)->Unit(benchmark::kMillisecond);

void PrintFifteenPagesToPdfJobs(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    const auto composer = leaflet.composer();
    QTemporaryDir dir;
    for (auto _ : state) {
        leaflet::PdfJobs jobs(dir.path());
        if (leaflet::printPages(composer, jobs) != leaflet::PrintOutcome::kPrinted)
            state.SkipWithError("not printed");
    }
    state.counters["jobs"] = static_cast<double>(QDir(dir.path()).count() - 2);
}
BENCHMARK(PrintFifteenPagesToPdfJobs)->Unit(benchmark::kMillisecond);

// The bare work of printing: the same fifteen pages into one PDF file.
void BareFifteenPagesOnePdf(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    const auto composer = leaflet.composer();
    QTemporaryDir dir;
    const QString file = dir.filePath("leaflet.pdf");
    for (auto _ : state) {
        if (!leaflet::writeLeafletPdf(file, composer)) state.SkipWithError("PDF not written");
    }
}
BENCHMARK(BareFifteenPagesOnePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    leaflet::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
