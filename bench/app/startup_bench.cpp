// The whole program from process start to its main window painted with a filled drug list
// (leafletdesk --quit-when-shown, offscreen), on the 41-drug sample catalogue and on synthetic
// catalogues of 40,000 and 120,000 drugs. The sample catalogue's figure is what every start
// costs (loading the libraries, Qt, fonts and translations); the others add the drug list.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "admin.h"
#include "layout/data_folder.h"
#include "settings/settings.h"
#include "synthetic_catalogue.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCache = fs::temp_directory_path() / "leafletdesk-bench";

void fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::exit(1);
}

// A program folder with settings and an empty patient file, so start-up asks nothing; its drug
// file is the sample catalogue or, for `drugs` above the sample's 41, a link to the cached
// synthetic catalogue of that size.
fs::path programFolder(int drugs) {
    const fs::path folder = kCache / ("program-" + std::to_string(drugs));
    fs::remove_all(folder);
    fs::create_directories(layout::databaseFolder(folder));
    if (drugs > 41) {
        const fs::path catalogue =
            bench::syntheticCatalogueFolder(kCache, drugs) / "薬剤ファイル.mdb";
        fs::create_symlink(catalogue, layout::databaseFolder(folder) / "薬剤ファイル.mdb");
    }
    std::ostringstream out, err;
    if (admin::initFolder(folder, out, err) != admin::kDone) fail(err.str());
    if (drugs <= 41 && admin::loadCatalogue(folder, SAMPLE_CATALOGUE, out, err) != admin::kDone)
        fail(err.str());
    const auto saved =
        settings::saveSettings(settings::settingsFilePath(folder), settings::SettingsBlock{});
    if (!saved.ok()) fail(saved.message);
    return folder;
}

// Runs the program in `folder` until it has painted its window; false when it failed.
bool startOnce(const fs::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(LEAFLETDESK, LEAFLETDESK, "--quit-when-shown", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The processor time (user and system) of the child processes waited for so far, in ms.
double childProcessorMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Beside the real time, the program's own processor time per start ("program_cpu_ms"), which
// other work on a shared machine does not inflate.
void BM_ProcessStartToPaintedWindow(benchmark::State& state) {
    const fs::path folder = programFolder(static_cast<int>(state.range(0)));
    if (!startOnce(folder)) state.SkipWithError("leafletdesk did not start");  // and warms caches
    const double before = childProcessorMs();
    for (auto _ : state)
        if (!startOnce(folder)) {
            state.SkipWithError("leafletdesk did not start");
            break;
        }
    state.counters["program_cpu_ms"] =
        (childProcessorMs() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ProcessStartToPaintedWindow)
    ->ArgName("drugs")
    ->Arg(41)
    ->Arg(40000)
    ->Arg(120000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
