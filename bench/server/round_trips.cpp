// User actions on the data server through a delay line of 10 ms each way (a 20 ms round trip,
// a server in the back office over Wi-Fi): their time and the round trips they take, next to
// the bare figure, the same data by one statement on a kept connection through the same line.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>

#include "bench_server.h"
#include "counting_sinks.h"
#include "dbcall/session.h"
#include "delay_proxy.h"
#include "drugbase.h"
#include "patientbase.h"
#include "sqlkit/postgres.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
constexpr int kPatient = 2500;
constexpr int kLeafletDrugs = 30;

// The server behind the delay line, and a data folder whose server file names the line.
struct DelayedServer {
    TempDir folder;
    TempDir line;
    std::unique_ptr<bench::DelayProxy> proxy;
    std::string conninfo;
    std::vector<std::string> yjcodes;  // codes of a leaflet's drugs
    std::string problem;

    DelayedServer() {
        const BenchServer server = benchServer();
        problem = server.problem;
        if (!problem.empty()) return;
        const auto host = server.conninfo.find("host=") + 5;
        const std::string socketFolder =
            server.conninfo.substr(host, server.conninfo.find(' ', host) - host);
        proxy = std::make_unique<bench::DelayProxy>(
            line.path(), std::filesystem::path(socketFolder) / ".s.PGSQL.5432", 10ms);
        if (!proxy->listening()) {
            problem = "the delay line cannot listen";
            return;
        }
        conninfo = proxy->through(server.conninfo);
        std::ofstream(folder.path() / dbcall::kServerFileName) << conninfo << "\n";
        auto db = sqlkit::openServer(server.conninfo, &problem);
        if (!db) return;
        sqlkit::Statement codes =
            db->prepare("SELECT YJCODE FROM Medicine_Information ORDER BY row_key LIMIT " +
                        std::to_string(kLeafletDrugs));
        while (codes.step()) yjcodes.emplace_back(codes.text(0));
    }
};

DelayedServer& delayed() {
    static DelayedServer server;
    return server;
}

// Runs `action` for each iteration and reports its round trips per run.
template <class Action>
void measure(benchmark::State& state, Action&& action) {
    if (!delayed().problem.empty()) {
        state.SkipWithError(delayed().problem.c_str());
        return;
    }
    const long long before = delayed().proxy->writes();
    for (auto _ : state)
        if (!action()) state.SkipWithError("the action failed");
    state.counters["round_trips"] = benchmark::Counter(
        static_cast<double>(delayed().proxy->writes() - before) / state.iterations());
}

// Both libraries on the delayed server, their connections made.
bool openDelayed() {
    const std::string folder = delayed().folder.path().string();
    RecordOpen(folder.c_str(), nullptr);
    LRecordOpen(folder.c_str(), nullptr);
    return LRecordDetail(nullptr, "", kPatient, 1) == 0;
}

// The libraries' start-up: connecting, the drug list in name order and the first patient read.
void DelayedStartUp(benchmark::State& state) {
    measure(state, [] {
        RecordClose();
        LRecordClose();
        if (!openDelayed()) return false;
        bench::CountingSinks sinks;
        int rows = 0;
        return RecordDisplay(&sinks.view, &sinks.list, &sinks.list, &sinks.list, &rows, 0) == 0;
    });
}
BENCHMARK(DelayedStartUp)->Unit(benchmark::kMillisecond)->UseRealTime();

void DelayedPatientLookup(benchmark::State& state) {
    if (delayed().problem.empty()) openDelayed();
    measure(state, [] {
        PatientRecord record{};
        return LRecordDetail(&record, "", kPatient, 1) == 0 && record.ID == kPatient;
    });
}
BENCHMARK(DelayedPatientLookup)->Unit(benchmark::kMillisecond)->UseRealTime();

void DelayedHistoryStore(benchmark::State& state) {
    if (delayed().problem.empty()) openDelayed();
    const std::string block(4110, '$');
    measure(state, [&] { return LRecordRIREKI(kPatient, block.c_str()) == 0; });
}
BENCHMARK(DelayedHistoryStore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The drugs of a 30-drug leaflet, as a recall, a transfer and print-history read them.
void DelayedLeafletDrugs(benchmark::State& state) {
    if (delayed().problem.empty()) openDelayed();
    measure(state, [] {
        std::vector<const char*> codes;
        for (const std::string& code : delayed().yjcodes) codes.push_back(code.c_str());
        std::vector<DrugRecord> records(codes.size());
        std::vector<int> found(codes.size());
        return RecordReadMany(codes.data(), static_cast<int>(codes.size()), records.data(),
                              found.data()) == 0 &&
               std::count(found.begin(), found.end(), 1) == kLeafletDrugs;
    });
}
BENCHMARK(DelayedLeafletDrugs)->Unit(benchmark::kMillisecond)->UseRealTime();

// DelayedBare: one statement on a kept connection through the same line (arg 0: the drug list in
// name order, as psql would run it; arg 1: one patient by ID).
void DelayedBare(benchmark::State& state) {
    sqlkit::ConnectionPtr kept;
    if (delayed().problem.empty()) kept = sqlkit::openServer(delayed().conninfo, nullptr);
    const bool list = state.range(0) == 0;
    measure(state, [&] {
        sqlkit::Statement s = kept->prepare(
            list ? "SELECT CODE, PRODUCTNAME, YJCODE FROM Medicine_Information ORDER BY "
                   "PRODUCTNAME, COMPANY, TANNI"
                 : "SELECT * FROM Patient_Information WHERE ID = ?");
        s.bindInt(1, kPatient);
        std::size_t rows = 0;
        while (s.step()) ++rows;
        return rows > 0;
    });
}
BENCHMARK(DelayedBare)
    ->ArgName("patient")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
