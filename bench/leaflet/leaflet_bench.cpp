// Leaflet composition: one page of five entries with photographs onto the preview's page
// image, a fifteen-page leaflet to PDF, and paginating a full print list; each beside the bare
// drawing or arithmetic it wraps.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <filesystem>
#include <vector>

#include "bench_leaflet.h"
#include "page/leaflet_pdf.h"
#include "page/page_fonts.h"

namespace {

using bench::BenchLeaflet;

void ComposePageFiveEntries(benchmark::State& state) {
    const BenchLeaflet leaflet(5);
    const auto composer = leaflet.composer();
    QImage page = leaflet::newPageImage();
    for (auto _ : state) {
        composer.renderPage(page, 0);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(ComposePageFiveEntries)->Unit(benchmark::kMillisecond);

// The bare work of a page: whitening it, the same number of text runs of the same lengths in
// one font, and the five photographs, without layout or conversions.
void BarePageDrawing(benchmark::State& state) {
    const BenchLeaflet leaflet(5);
    QImage page = leaflet::newPageImage();
    const QFont font = leaflet::pageFont(leaflet::Face::kGothic, 23, 400);
    const QString line = QString::fromUtf8("炎症をしずめて痛みや腫れをや");
    constexpr int kRunsPerEntry = 20;  // name, labels, amounts, usage, efficacy and caution lines
    for (auto _ : state) {
        QPainter p(&page);
        p.fillRect(QRect(0, 0, 1454, 2090), Qt::white);
        p.setFont(font);
        for (int e = 0; e < 5; ++e) {
            for (int k = 0; k < kRunsPerEntry; ++k) p.drawText(40 + 30 * k, 200 + 300 * e, line);
            p.drawImage(QRect(130, 200 + 300 * e, 168, 126), leaflet.photos[e]);
        }
    }
}
BENCHMARK(BarePageDrawing)->Unit(benchmark::kMillisecond);

void FifteenPagesToPdf(benchmark::State& state) {
    const BenchLeaflet leaflet(90);
    if (leaflet.table.pageTotal() != 15) state.SkipWithError("not fifteen pages");
    const auto composer = leaflet.composer();
    const auto file = std::filesystem::temp_directory_path() / "leaflet-bench.pdf";
    for (auto _ : state) {
        if (!leaflet::writeLeafletPdf(QString::fromStdString(file.string()), composer)) {
            state.SkipWithError("PDF not written");
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(FifteenPagesToPdf)->Unit(benchmark::kMillisecond);

void PaginateThirtyEntries(benchmark::State& state) {
    const BenchLeaflet leaflet(30);
    leaflet::PageTable table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            leaflet::paginate(leaflet.entries, leaflet::headerBottom(leaflet.header), table));
    }
}
BENCHMARK(PaginateThirtyEntries)->Unit(benchmark::kMicrosecond);

// The bare arithmetic of pagination: the same row bottoms from ready line counts.
void BarePaginationArithmetic(benchmark::State& state) {
    const std::vector<int> lines(30, 6);
    leaflet::PageTable table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(leaflet::paginateRows(lines, 272, table));
    }
}
BENCHMARK(BarePaginationArithmetic)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    leaflet::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
