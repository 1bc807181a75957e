// The patient screen on synthetic registers of 5,000 and 50,000 patients (a few with twenty
// full history dates) beside the 40,000-drug synthetic catalogue: opening the screen, one
// keystroke in the ID search box, recalling a history date, and moving a recalled 30-drug
// leaflet with photographs into the print list; each beside the bare library calls it wraps.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include "drugbase.h"
#include "jpeg_writer.h"
#include "layout/data_folder.h"
#include "leaflet/history_text.h"
#include "patientbase.h"
#include "patients/history_panel.h"
#include "patients/patient_screen.h"
#include "shell/startup.h"
#include "silent_prompts.h"
#include "sjis/sjis.h"
#include "synthetic_catalogue.h"
#include "synthetic_register.h"
#include "ui/prompts.h"

namespace {

namespace fs = std::filesystem;
constexpr int kDrugs = 40000;
// A patient with a full history, in every register.
constexpr int kWithHistory = 5 * bench::kSyntheticHistoryEvery;
// Its newest leaflet (the synthetic stamps rise with the slot).
constexpr int kNewestSlot = 19;

class NoHost : public patients::PatientHost {
  public:
    void patientApplied() override {}
    void restoreDosageForm() override {}
};

// The YJ codes of the leaflet stored in `slot` of the patient with a history.
std::vector<std::string> leafletCodes(int slot) {
    std::vector<std::string> codes;
    const leaflet::HistoryBlock block =
        leaflet::historyBlockFromText(bench::syntheticHistoryBlock(kWithHistory, slot));
    for (const leaflet::HistoryRecord& r : block)
        codes.emplace_back(sjis::fieldText(r.yjcode, sizeof r.yjcode));
    return codes;
}

// A program folder whose database folder links the cached synthetic catalogue and a register of
// `patients`, with a photograph of a camera's size for each drug of the newest stored leaflet.
fs::path programFolder(int patients) {
    const fs::path cache = fs::temp_directory_path() / "leafletdesk-bench";
    const fs::path drugs = bench::syntheticCatalogueFolder(cache, kDrugs);
    const fs::path register_ = bench::syntheticRegisterFolder(cache, patients);
    const fs::path program = cache / ("patient-program-" + std::to_string(patients));
    fs::remove_all(program);
    const fs::path data = layout::databaseFolder(program);
    fs::create_directories(data);
    for (const fs::path& file : {drugs / "薬剤ファイル.mdb", register_ / "患者ファイル.mdb"})
        fs::create_symlink(file, data / file.filename());
    testjpeg::Rgb picture(1600, 1200);
    for (int y = 0; y < 1200; ++y)
        for (int x = 0; x < 1600; ++x)
            picture.set(x, y, static_cast<std::uint32_t>((x * 255 / 1600) << 16 | y % 256));
    const std::string jpeg = testjpeg::encode(picture, {.quality = 90});
    for (const std::string& code : leafletCodes(kNewestSlot))
        testjpeg::writeFile(layout::photoFolder(program, 1) / (code + ".jpg"), jpeg);
    return program;
}

struct Program {
    SilentPrompts prompts;
    desk::Desk state{prompts};
    NoHost host;
    explicit Program(int patients) { shell::startUp(state, programFolder(patients)); }
    ~Program() { shell::shutDown(); }
    std::unique_ptr<patients::PatientScreen> open() {
        auto screen = std::make_unique<patients::PatientScreen>(state, host, nullptr);
        screen->setAttribute(Qt::WA_DeleteOnClose, false);
        screen->load();
        return screen;
    }
};

void BM_OpenScreen(benchmark::State& st) {
    Program program(static_cast<int>(st.range(0)));
    for (auto _ : st) benchmark::DoNotOptimize(program.open()->list().rowCount());
}
BENCHMARK(BM_OpenScreen)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_BareRegisterListing(benchmark::State& st) {
    Program program(static_cast<int>(st.range(0)));
    const PatientListViewSink sink{nullptr, [](void*, int, const char*) {},
                                   [](void*, int, int, const char*) {}};
    for (auto _ : st) benchmark::DoNotOptimize(LRecordDisplay(0, &sink));
}
BENCHMARK(BM_BareRegisterListing)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Two IDs typed in turn, so that every keystroke searches and shows a patient.
void BM_IdKeystroke(benchmark::State& st) {
    const int patients = static_cast<int>(st.range(0));
    Program program(patients);
    auto screen = program.open();
    auto* box = screen->findChild<QLineEdit*>("idSearchBox");
    const QString ids[2] = {QString::number(patients - 1), QString::number(kWithHistory)};
    int i = 0;
    for (auto _ : st) {
        box->setText(ids[++i % 2]);
        emit box->textEdited(box->text());
    }
}
BENCHMARK(BM_IdKeystroke)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// What showing a patient asks of patientbase: the record and the history dates.
void BM_BareShowPatient(benchmark::State& st) {
    const int patients = static_cast<int>(st.range(0));
    Program program(patients);
    const PatientListSink dates{nullptr, [](void*, const char*) {}, nullptr};
    const int ids[2] = {patients - 1, kWithHistory};
    int i = 0;
    for (auto _ : st) {
        PatientRecord record{};
        LRecordDetail(&record, "", ids[++i % 2], 1);
        benchmark::DoNotOptimize(LRecordRIREKIDate(record.ID, &dates));
    }
}
BENCHMARK(BM_BareShowPatient)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_RecallHistoryDate(benchmark::State& st) {
    Program program(50000);
    auto screen = program.open();
    screen->showPatient(kWithHistory);
    QListWidget* dates = screen->history().dateList();
    if (dates->count() < 2) st.SkipWithError("no history dates");
    int i = 0;
    for (auto _ : st) dates->setCurrentRow(++i % 2);
}
BENCHMARK(BM_RecallHistoryDate)->Unit(benchmark::kMillisecond);

// What a recall asks of the libraries: the stored block and the thirty drugs' names.
void BM_BareRecall(benchmark::State& st) {
    Program program(50000);
    std::string key = bench::syntheticStamp(kNewestSlot);
    for (char& c : key)
        if (c == '-') c = '/';
    const std::vector<std::string> codes = leafletCodes(kNewestSlot);
    std::string out(4111, '\0');
    DrugRecord drug{};
    for (auto _ : st) {
        benchmark::DoNotOptimize(LRecordRIREKIDisplay(kWithHistory, key.c_str(), out.data()));
        for (const std::string& code : codes)
            benchmark::DoNotOptimize(RecordDetail(&drug, code.c_str()));
    }
}
BENCHMARK(BM_BareRecall)->Unit(benchmark::kMillisecond);

// The newest leaflet recalled on a fresh screen, then "印刷リストに転送" timed alone.
void BM_TransferThirtyDrugs(benchmark::State& st) {
    Program program(50000);
    for (auto _ : st) {
        st.PauseTiming();
        program.state.clear();
        auto screen = program.open();
        screen->selectIdPrefix(QString::number(kWithHistory));
        screen->history().dateList()->setCurrentRow(0);
        QAction* transfer = screen->findChild<QAction*>("actionTransfer");
        st.ResumeTiming();
        transfer->trigger();
        st.PauseTiming();
        if (program.state.printList().count() != 30) st.SkipWithError("not transferred");
        screen.reset();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_TransferThirtyDrugs)->Unit(benchmark::kMillisecond);

// What the transfer asks of drugbase: each drug read again and its photograph drawn.
void BM_BareTransferReads(benchmark::State& st) {
    Program program(50000);
    const std::vector<std::string> codes = leafletCodes(kNewestSlot);
    const std::string base = program.state.programFolder.string();
    QImage photo(140, 105, QImage::Format_RGB32);
    DrugSurface surface{photo.width(), photo.height(), static_cast<int32_t>(photo.bytesPerLine()),
                        reinterpret_cast<uint32_t*>(photo.bits())};
    DrugRecord drug{};
    for (auto _ : st) {
        int photographs = 0;
        for (const std::string& code : codes) {
            int drawn = 0;
            RecordDetail(&drug, code.c_str());
            PictureImage(&surface, &drawn, &surface, code.c_str(), base.c_str(), 0, 0);
            photographs += drawn;
        }
        if (photographs != 30) st.SkipWithError("photographs missing");
    }
}
BENCHMARK(BM_BareTransferReads)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
