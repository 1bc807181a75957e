// The patient screen on the synthetic register of 5,000 patients (twenty full history dates
// each) beside the 40,000-drug synthetic catalogue: opening the screen, one keystroke in the ID
// search box, and recalling a history date; each beside the bare library call it wraps.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include "layout/data_folder.h"
#include "patientbase.h"
#include "patients/history_panel.h"
#include "patients/patient_screen.h"
#include "shell/startup.h"
#include "silent_prompts.h"
#include "synthetic_catalogue.h"
#include "synthetic_register.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPatients = 5000;

class NoHost : public patients::PatientHost {
  public:
    QString patientIdText() const override { return {}; }
    void applyPatient(const QString&, const QString&) override {}
    void printListChanged() override {}
    void restoreDosageForm() override {}
};

// A program folder whose database folder links the cached synthetic catalogue and register.
const fs::path& programFolder() {
    static const fs::path folder = [] {
        const fs::path cache = fs::temp_directory_path() / "leafletdesk-bench";
        const fs::path drugs = bench::syntheticCatalogueFolder(cache, 40000);
        const fs::path patients = bench::syntheticRegisterFolder(cache, kPatients);
        const fs::path program = cache / "patient-program";
        fs::remove_all(program);
        const fs::path data = layout::databaseFolder(program);
        fs::create_directories(data);
        for (const fs::path& file : {drugs / "薬剤ファイル.mdb", patients / "患者ファイル.mdb"})
            fs::create_symlink(file, data / file.filename());
        return program;
    }();
    return folder;
}

struct Program {
    SilentPrompts prompts;
    shell::AppState state{prompts};
    NoHost host;
    Program() { shell::startUp(state, programFolder()); }
    ~Program() { shell::shutDown(); }
    std::unique_ptr<patients::PatientScreen> open() {
        auto screen = std::make_unique<patients::PatientScreen>(state, host, nullptr);
        screen->setAttribute(Qt::WA_DeleteOnClose, false);
        screen->load();
        return screen;
    }
};

void BM_OpenScreen(benchmark::State& st) {
    Program program;
    for (auto _ : st) benchmark::DoNotOptimize(program.open()->list().rowCount());
}
BENCHMARK(BM_OpenScreen)->Unit(benchmark::kMillisecond);

void BM_BareRegisterListing(benchmark::State& st) {
    Program program;
    const PatientListViewSink sink{nullptr, [](void*, int, const char*) {},
                                   [](void*, int, int, const char*) {}};
    for (auto _ : st) benchmark::DoNotOptimize(LRecordDisplay(0, &sink));
}
BENCHMARK(BM_BareRegisterListing)->Unit(benchmark::kMillisecond);

// Two IDs typed in turn, so that every keystroke searches and shows a patient.
void BM_IdKeystroke(benchmark::State& st) {
    Program program;
    auto screen = program.open();
    auto* box = screen->findChild<QLineEdit*>("idSearchBox");
    const QString ids[2] = {QString::number(kPatients - 1), QString::number(kPatients / 2)};
    int i = 0;
    for (auto _ : st) {
        box->setText(ids[++i % 2]);
        emit box->textEdited(box->text());
    }
}
BENCHMARK(BM_IdKeystroke)->Unit(benchmark::kMillisecond);

void BM_RecallHistoryDate(benchmark::State& st) {
    Program program;
    auto screen = program.open();
    screen->showPatient(kPatients / 2);
    QListWidget* dates = screen->history().dateList();
    if (dates->count() < 2) st.SkipWithError("no history dates");
    int i = 0;
    for (auto _ : st) dates->setCurrentRow(++i % 2);
}
BENCHMARK(BM_RecallHistoryDate)->Unit(benchmark::kMillisecond);

void BM_BareHistoryRead(benchmark::State& st) {
    Program program;
    const std::string stamp = bench::syntheticStamp(3);
    std::string key = stamp;
    for (char& c : key)
        if (c == '-') c = '/';
    std::string out(4111, '\0');
    for (auto _ : st)
        benchmark::DoNotOptimize(LRecordRIREKIDisplay(kPatients / 2, key.c_str(), out.data()));
}
BENCHMARK(BM_BareHistoryRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
