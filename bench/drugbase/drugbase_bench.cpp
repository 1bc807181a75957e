// drugbase calls on a 40,000-drug synthetic catalogue, each beside the bare SQLite work it
// wraps: the cheapest way to the same data, one statement prepared once on a connection kept
// for the run, without conversions or sinks.
#include <benchmark/benchmark.h>

#include <cstring>

#include "counting_sinks.h"
#include "drugbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"

namespace {

constexpr int kDrugs = 40000;

const std::filesystem::path& folder() {
    static const auto f = [] {
        const auto dir = bench::syntheticCatalogueFolder(
            std::filesystem::temp_directory_path() / "leafletdesk-bench", kDrugs);
        RecordOpen(dir.string().c_str(), nullptr);
        return dir;
    }();
    return f;
}

sqlkit::ConnectionPtr openBare() {
    return sqlkit::openEncrypted(folder() / "薬剤ファイル.mdb", "HN%tPQS", nullptr);
}

// Runs `sql` with one bound text and reads every row's columns, on a connection kept for the
// run; what a call costs at least.
void bareWalk(benchmark::State& state, const char* sql, const std::string& bound = "") {
    static const sqlkit::ConnectionPtr kept = openBare();
    sqlkit::Statement s = kept->prepare(sql);
    for (auto _ : state) {
        if (!bound.empty()) s.bindMatch(1, bound);
        std::size_t bytes = 0;
        while (s.step()) {
            for (int c = 0; c < s.columnCount(); ++c) bytes += s.text(c).size();
        }
        s.reset();
        benchmark::DoNotOptimize(bytes);
    }
}

void Display(benchmark::State& state) {
    folder();
    const int order = static_cast<int>(state.range(0));
    for (auto _ : state) {
        bench::CountingSinks sinks;
        int rows = 0;
        RecordDisplay(&sinks.view, &sinks.list, &sinks.list, &sinks.list, &rows, order);
        if (rows != kDrugs) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(Display)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Display_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, state.range(0) == 0
                        ? "SELECT CODE, PRODUCTNAME, YJCODE FROM Medicine_Information ORDER BY "
                          "PRODUCTNAME, COMPANY, TANNI"
                        : "SELECT CODE, PRODUCTNAME, YJCODE FROM Medicine_Information ORDER BY "
                          "OPTION1, CODE, COMPANY");
}
BENCHMARK(Display_Bare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Position(benchmark::State& state) {
    folder();
    const std::string last = bench::syntheticYjCode(kDrugs - 1);
    for (auto _ : state) {
        int position = -1;
        RecordPosition(last.c_str(), &position, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(Position)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Position_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, "SELECT YJCODE FROM Medicine_Information ORDER BY PRODUCTNAME, COMPANY, TANNI");
}
BENCHMARK(Position_Bare)->Unit(benchmark::kMillisecond);

void Detail(benchmark::State& state) {
    folder();
    const std::string code = bench::syntheticYjCode(kDrugs / 2);
    DrugRecord record;
    for (auto _ : state) {
        if (RecordDetail(&record, code.c_str()) != 0) state.SkipWithError("not found");
    }
}
BENCHMARK(Detail)->Unit(benchmark::kMicrosecond);

void Detail_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, "SELECT * FROM Medicine_Information WHERE YJCODE = ?",
             bench::syntheticYjCode(kDrugs / 2));
}
BENCHMARK(Detail_Bare)->Unit(benchmark::kMicrosecond);

void Search(benchmark::State& state) {
    folder();
    const std::string name = sjis::fromUtf8("ロン"), form1 = sjis::fromUtf8("錠"),
                      form2 = sjis::fromUtf8("カプセル");
    const bool byForm = state.range(0) == 1;
    for (auto _ : state) {
        bench::CountingSinks sinks;
        RecordGOKU(byForm ? "" : name.c_str(), "", "", "", "", byForm ? form1.c_str() : "",
                   byForm ? form2.c_str() : "", "", &sinks.list, &sinks.list);
        state.counters["matches"] = sinks.count / 2;
    }
}
BENCHMARK(Search)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Search_Bare(benchmark::State& state) {
    folder();
    bareWalk(state,
             "SELECT LISTNAME, YJCODE FROM Medicine_Information WHERE PRODUCTNAME LIKE "
             "'%' || ? || '%' ORDER BY PRODUCTNAME, COMPANY, TANNI",
             "ロン");
}
BENCHMARK(Search_Bare)->Unit(benchmark::kMillisecond);

void CreateAndDelete(benchmark::State& state) {
    folder();
    DrugRecord r{};
    std::strcpy(r.YJCODE, "BENCH0000001");
    std::strcpy(r.PRODUCTNAME, "BENCH");
    std::memset(r.SAYOA, 'a', 300);
    for (auto _ : state) {
        if (RecordCreate(&r) != 0 || RecordDell(r.YJCODE) != 0) state.SkipWithError("failed");
    }
}
BENCHMARK(CreateAndDelete)->Unit(benchmark::kMillisecond);

void UniquenessCheck(benchmark::State& state) {
    folder();
    for (auto _ : state) benchmark::DoNotOptimize(RecordCreate00("BENCH0000001"));
}
BENCHMARK(UniquenessCheck)->Unit(benchmark::kMicrosecond);

// What every call paid while the files were opened per call; now once per file, or again when
// a file was replaced.
void OpenOnly_Bare(benchmark::State& state) {
    folder();
    for (auto _ : state) benchmark::DoNotOptimize(openBare());
}
BENCHMARK(OpenOnly_Bare)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
