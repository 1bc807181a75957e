// The program's main window on the 40,000-drug synthetic catalogue: start-up to a filled drug
// list, the model's first fill and a refill, an order change, one search keystroke, and a drug
// shown in the detail panel with its photograph; each beside the bare work it wraps.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "drugbase.h"
#include "drugs/detail_panel.h"
#include "drugs/prefix_search.h"
#include "jpeg_writer.h"
#include "layout/data_folder.h"
#include "patientbase.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "silent_prompts.h"
#include "synthetic_catalogue.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
constexpr int kDrugs = 40000;
const std::string kPhotographed = bench::syntheticYjCode(1235);  // odd drugs have photo 1

// A program folder whose database folder is the cached synthetic catalogue, with a photograph
// of a camera's size for one drug.
const fs::path& programFolder() {
    static const fs::path folder = [] {
        const fs::path cache = fs::temp_directory_path() / "leafletdesk-bench";
        const fs::path data = bench::syntheticCatalogueFolder(cache, kDrugs);
        const fs::path program = cache / "program";
        fs::remove_all(program);
        fs::create_directories(program);
        fs::create_directory_symlink(data, layout::databaseFolder(program));
        testjpeg::Rgb picture(1600, 1200);
        for (int y = 0; y < 1200; ++y)
            for (int x = 0; x < 1600; ++x)
                picture.set(x, y, static_cast<std::uint32_t>((x * 255 / 1600) << 16 | y % 256));
        testjpeg::writeFile(layout::photoFolder(program, 1) / (kPhotographed + ".jpg"),
                            testjpeg::encode(picture, {.quality = 90}));
        return program;
    }();
    return folder;
}

struct Program {
    SilentPrompts prompts;
    desk::Desk state{prompts};
    std::unique_ptr<shell::MainWindow> window;

    Program() {
        shell::startUp(state, programFolder());
        window = std::make_unique<shell::MainWindow>(state);
        window->loadDrugList();
    }
    ~Program() {
        window.reset();
        shell::shutDown();
    }
};

void BM_StartUpToFilledDrugList(benchmark::State& st) {
    for (auto _ : st) {
        Program program;
        benchmark::DoNotOptimize(program.window->drugList().count());
    }
}
BENCHMARK(BM_StartUpToFilledDrugList)->Unit(benchmark::kMillisecond);

// The fill at start-up: a new model, whose rows have no storage yet.
void BM_BareFirstFillOfAModel(benchmark::State& st) {
    Program program;
    for (auto _ : st) {
        auto model = std::make_unique<drugs::DrugListModel>();
        benchmark::DoNotOptimize(model->fill(drugs::DrugListModel::Order{}));
        st.PauseTiming();
        model.reset();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_BareFirstFillOfAModel)->Unit(benchmark::kMillisecond);

// A refill: the order chosen again, the rows replaced.
void BM_BareFillOfTheModel(benchmark::State& st) {
    Program program;
    for (auto _ : st)
        benchmark::DoNotOptimize(program.window->drugList().fill(drugs::DrugListModel::Order{}));
}
BENCHMARK(BM_BareFillOfTheModel)->Unit(benchmark::kMillisecond);

void BM_OrderChange(benchmark::State& st) {
    Program program;
    auto* order = program.window->findChild<QComboBox*>("orderList");
    int index = 0;
    for (auto _ : st) {
        index = 1 - index;
        order->setCurrentIndex(index);
        emit order->activated(index);
    }
}
BENCHMARK(BM_OrderChange)->Unit(benchmark::kMillisecond);

// Two prefixes of real names, typed in turn, so that every keystroke searches.
std::array<QString, 2> prefixes(const drugs::DrugListModel& list) {
    const QString name = list.data(list.index(kDrugs / 2, 1), Qt::DisplayRole).toString();
    return {name.left(3), name.left(4)};
}

void BM_SearchKeystroke(benchmark::State& st) {
    Program program;
    auto* box = program.window->findChild<QLineEdit*>("nameSearchBox");
    const auto texts = prefixes(program.window->drugList());
    int i = 0;
    for (auto _ : st) box->setText(texts[++i % 2]);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

void BM_BarePrefixSearch(benchmark::State& st) {
    Program program;
    const auto texts = prefixes(program.window->drugList());
    const std::string cp932[2] = {sjis::fromUtf8(texts[0].toStdString()),
                                  sjis::fromUtf8(texts[1].toStdString())};
    auto search = drugs::PrefixSearch::forNames();
    int i = 0;
    for (auto _ : st)
        benchmark::DoNotOptimize(search.search(program.window->drugList(), cp932[++i % 2]));
}
BENCHMARK(BM_BarePrefixSearch)->Unit(benchmark::kMicrosecond);

void BM_ShowDrugWithPhotograph(benchmark::State& st) {
    Program program;
    auto& panel = program.window->detailPanel();
    for (auto _ : st) {
        panel.show(drugs::DetailPanel::Mode::Fill, kPhotographed);
        if (!panel.photoShown()) st.SkipWithError("no photograph shown");
    }
}
BENCHMARK(BM_ShowDrugWithPhotograph)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LRecordSetMessageHandler([](void*, const char*) {}, nullptr);  // the folder has no patients
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
