// patientbase calls on a register of 5,000 patients, a few with full histories, each beside the
// bare SQLite work it wraps: the cheapest way to the same data, one statement prepared once on a
// connection kept for the run, without conversions, sinks or slot rules.
#include <benchmark/benchmark.h>

#include <cstring>

#include "patientbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_register.h"

namespace {

constexpr int kPatients = 5000;
constexpr int kMiddle = kPatients / 2;
// Two patients with full histories: one whose leaflets are read, one stored into.
constexpr int kRecalled = 5 * bench::kSyntheticHistoryEvery;
constexpr int kStoredInto = 6 * bench::kSyntheticHistoryEvery;

const std::filesystem::path& folder() {
    static const auto f = [] {
        const auto dir = bench::syntheticRegisterFolder(
            std::filesystem::temp_directory_path() / "leafletdesk-bench", kPatients);
        LRecordOpen(dir.string().c_str(), nullptr);
        return dir;
    }();
    return f;
}

sqlkit::ConnectionPtr openBare() {
    return sqlkit::openEncrypted(folder() / "患者ファイル.mdb", "HN%tPQS", nullptr);
}

sqlkit::Connection& keptBare() {
    static const sqlkit::ConnectionPtr kept = openBare();
    return *kept;
}

// Reads every column of every row of a prepared statement; what a call costs at least.
std::size_t readAll(sqlkit::Statement& s) {
    std::size_t bytes = 0;
    while (s.step())
        for (int c = 0; c < s.columnCount(); ++c) bytes += s.blob(c).size();
    return bytes;
}

// Runs `sql` with `id` bound to ?1 (when given) and reads every row, on the kept connection.
void bareWalk(benchmark::State& state, const std::string& sql, int id = 0) {
    sqlkit::Statement s = keptBare().prepare(sql);
    for (auto _ : state) {
        if (id) s.bindInt(1, id);
        benchmark::DoNotOptimize(readAll(s));
        s.reset();
    }
}

std::string stampColumns() {
    std::string columns = "rowid";
    for (int slot = 0; slot < 20; ++slot) columns += ", N" + std::to_string(slot);
    return columns;
}

struct Counting {
    int count = 0;
    PatientListSink list{this, [](void* c, const char*) { ++static_cast<Counting*>(c)->count; },
                         nullptr};
    PatientListViewSink view{this,
                             [](void* c, int, const char*) { ++static_cast<Counting*>(c)->count; },
                             [](void*, int, int, const char*) {}};
};

void Display(benchmark::State& state) {
    folder();
    for (auto _ : state) {
        Counting rows;
        LRecordDisplay(static_cast<int>(state.range(0)), &rows.view);
        if (rows.count != kPatients) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(Display)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Display_Bare(benchmark::State& state) {
    folder();
    bareWalk(state,
             state.range(0)
                 ? "SELECT ID, PATIENT, MEMO FROM Patient_Information"  // sorted by reading in C++
                 : "SELECT ID, PATIENT FROM Patient_Information ORDER BY ID");
}
BENCHMARK(Display_Bare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The ID-order listing walking the wide ID index of the search, as it did before the narrow one.
void Display_WideIndex_Bare(benchmark::State& state) {
    folder();
    bareWalk(state,
             "SELECT ID, PATIENT FROM Patient_Information INDEXED BY Patient_ID ORDER BY ID");
}
BENCHMARK(Display_WideIndex_Bare)->Unit(benchmark::kMillisecond);

void Detail(benchmark::State& state) {
    folder();
    PatientRecord record;
    for (auto _ : state) {
        record.ID = 0;
        LRecordDetail(&record, "", kMiddle, 1);
        if (record.ID != kMiddle) state.SkipWithError("not found");
    }
}
BENCHMARK(Detail)->Unit(benchmark::kMicrosecond);

void Detail_Bare(benchmark::State& state) {
    folder();
    bareWalk(state,
             "SELECT ID, PATIENT, SEX, TELEPHONE, TELEPHONE2, NENGO, YEAR, MONTH, DAY, ADDRESS, "
             "BYOUTO, ALLERGY, EFFECT, MEMO FROM Patient_Information WHERE ID = ?1 "
             "ORDER BY rowid LIMIT 1",
             kMiddle);
}
BENCHMARK(Detail_Bare)->Unit(benchmark::kMicrosecond);

// Arg 0: a part of the name; arg 1: sex and era.
void Search(benchmark::State& state) {
    folder();
    char texts[4][256] = {};
    int32_t codes[2] = {};
    const char birth[3][256] = {};
    if (state.range(0) == 0) {
        sjis::copyField(texts[0], 256, sjis::fromUtf8("田"));
    } else {
        codes[0] = 2;
        codes[1] = 3;
    }
    for (auto _ : state) {
        Counting ids;
        LRecordGOKU(&texts[0][0], codes, &birth[0][0], &ids.list, nullptr);
        state.counters["matches"] = ids.count;
    }
}
BENCHMARK(Search)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Search_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, state.range(0) == 0
                        ? "SELECT ID, PATIENT FROM Patient_Information WHERE PATIENT LIKE "
                          "'%田%' ORDER BY ID"
                        : "SELECT ID, PATIENT FROM Patient_Information WHERE SEX = 2 AND "
                          "NENGO = 3 ORDER BY ID");
}
BENCHMARK(Search_Bare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void StoreOnFullSet(benchmark::State& state) {
    folder();
    const std::string block(4110, '$');
    for (auto _ : state)
        if (LRecordRIREKI(kStoredInto, block.c_str()) != 0) state.SkipWithError("failed");
}
BENCHMARK(StoreOnFullSet)->Unit(benchmark::kMillisecond);

void StoreOnFullSet_Bare(benchmark::State& state) {
    folder();
    const std::string block(4110, '$');
    const std::string find =
        "SELECT " + stampColumns() + " FROM Patient_Information WHERE ID = ?1 LIMIT 1";
    sqlkit::Connection& db = keptBare();
    sqlkit::Statement s = db.prepare(find);
    sqlkit::Statement update = db.prepare(
        "UPDATE Patient_Information SET N0 = '2023-01-01 09:05:00', INFO0 = ? WHERE rowid = ?");
    for (auto _ : state) {
        sqlkit::Transaction transaction(db);
        s.bindInt(1, kStoredInto);
        benchmark::DoNotOptimize(s.step());
        update.bindBlob(1, block).bindInt(2, s.integer(0));
        update.step();
        s.reset();
        update.reset();
        if (!transaction.commit()) state.SkipWithError("failed");
    }
}
BENCHMARK(StoreOnFullSet_Bare)->Unit(benchmark::kMillisecond);

void HistoryDates(benchmark::State& state) {
    folder();
    for (auto _ : state) {
        Counting lines;
        LRecordRIREKIDate(kRecalled, &lines.list);
        if (lines.count != 20) state.SkipWithError("wrong line count");
    }
}
BENCHMARK(HistoryDates)->Unit(benchmark::kMicrosecond);

void HistoryDates_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, "SELECT " + stampColumns() + " FROM Patient_Information WHERE ID = ?1 LIMIT 1",
             kRecalled);
}
BENCHMARK(HistoryDates_Bare)->Unit(benchmark::kMicrosecond);

// Recalls the newest slot, the one furthest into the row.
void Recall(benchmark::State& state) {
    folder();
    const std::string newest = "2023/01/20 09:05:00";
    std::string out(4111, '\0');
    for (auto _ : state)
        if (LRecordRIREKIDisplay(kRecalled, newest.c_str(), out.data()) != 1)
            state.SkipWithError("not found");
}
BENCHMARK(Recall)->Unit(benchmark::kMicrosecond);

void Recall_Bare(benchmark::State& state) {
    folder();
    bareWalk(state,
             "SELECT " + stampColumns() + ", INFO19 FROM Patient_Information WHERE ID = ?1 LIMIT 1",
             kRecalled);
}
BENCHMARK(Recall_Bare)->Unit(benchmark::kMicrosecond);

void ProposeId(benchmark::State& state) {
    folder();
    for (auto _ : state)
        if (LRecordCreateID() != kPatients + 1) state.SkipWithError("wrong proposal");
}
BENCHMARK(ProposeId)->Unit(benchmark::kMillisecond);

void ProposeId_Bare(benchmark::State& state) {
    folder();
    bareWalk(state, "SELECT ID FROM Patient_Information ORDER BY ID");
}
BENCHMARK(ProposeId_Bare)->Unit(benchmark::kMillisecond);

// What every call paid while the files were opened per call; now once per file, or again when
// a file was replaced.
void OpenOnly_Bare(benchmark::State& state) {
    folder();
    for (auto _ : state) benchmark::DoNotOptimize(openBare());
}
BENCHMARK(OpenOnly_Bare)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
