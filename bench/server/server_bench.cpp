// The drug list fill, one history store and one patient lookup on the encrypted files (server:0)
// and on a data server (server:1) holding the same 40,000 drugs and 5,000 patients with full
// histories. The server is a throw-away PostgreSQL started for the run on a Unix socket.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "bench_server.h"
#include "counting_sinks.h"
#include "dataserver/admin.h"
#include "dbcall/session.h"
#include "drugbase.h"
#include "patientbase.h"
#include "pg_server.h"
#include "sqlkit/postgres.h"
#include "sqlkit/sqlcipher.h"
#include "synthetic_catalogue.h"
#include "synthetic_register.h"

namespace {

constexpr int kDrugs = 40000;
constexpr int kPatients = 5000;
constexpr int kMiddle = kPatients / 2;

std::filesystem::path cache() {
    return std::filesystem::temp_directory_path() / "leafletdesk-bench";
}

// A folder whose server file names a database on the throw-away server with the files' data.
struct ServerData {
    PgServer server;
    TempDir folder;
    std::string conninfo;
    std::string problem;

    ServerData() : problem(server.problem()) {
        if (!problem.empty()) return;
        conninfo = server.freshDatabase();
        // The tables as server-init makes them, so that leafletadmin works on them too.
        std::ostringstream said;
        if (!dataserver::createServerTables(conninfo, said, said)) {
            problem = said.str();
            return;
        }
        auto db = sqlkit::openServer(conninfo, &problem);
        if (!db || !bench::fillSyntheticCatalogue(*db, kDrugs, &problem)) return;
        bench::fillSyntheticRegister(*db, kPatients, conninfo);
        // What autovacuum does soon after a load: statistics, and the visibility map that lets
        // the list walk its covering index without visiting the table.
        db->exec("VACUUM ANALYZE");
        std::ofstream(folder.path() / dbcall::kServerFileName) << conninfo << "\n";
        problem.clear();
    }
};

ServerData& serverData() {
    static ServerData server;
    return server;
}

}  // namespace

BenchServer benchServer() {
    return {serverData().conninfo, serverData().problem};
}

namespace {

// Points both libraries at the files or at the server; false after skipping the benchmark.
bool openData(benchmark::State& state) {
    std::filesystem::path drugs, patients;
    if (state.range(0) == 0) {
        drugs = bench::syntheticCatalogueFolder(cache(), kDrugs);
        patients = bench::syntheticRegisterFolder(cache(), kPatients);
    } else {
        if (!serverData().problem.empty()) {
            state.SkipWithError(serverData().problem.c_str());
            return false;
        }
        drugs = patients = serverData().folder.path();
    }
    RecordOpen(drugs.string().c_str(), nullptr);
    LRecordOpen(patients.string().c_str(), nullptr);
    // The server connection is made here, before the timing, as at a program's start.
    return LRecordDetail(nullptr, "", kMiddle, 1) == 0;
}

void DrugListFill(benchmark::State& state) {
    if (!openData(state)) return;
    for (auto _ : state) {
        bench::CountingSinks sinks;
        int rows = 0;
        RecordDisplay(&sinks.view, &sinks.list, &sinks.list, &sinks.list, &rows, 0);
        if (rows != kDrugs) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(DrugListFill)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The list's statement through the engine layer alone: the file opened per call, the server's
// connection kept.
void DrugListFill_Bare(benchmark::State& state) {
    if (!openData(state)) return;
    const auto file = bench::syntheticCatalogueFolder(cache(), kDrugs) / "薬剤ファイル.mdb";
    sqlkit::ConnectionPtr kept;
    if (state.range(0) == 1) kept = sqlkit::openServer(serverData().conninfo, nullptr);
    for (auto _ : state) {
        sqlkit::ConnectionPtr opened;
        if (!kept) opened = sqlkit::openEncrypted(file, "HN%tPQS", nullptr);
        sqlkit::Statement s = (kept ? kept : opened)
                                  ->prepare(
                                      "SELECT CODE, PRODUCTNAME, YJCODE FROM "
                                      "Medicine_Information ORDER BY PRODUCTNAME, COMPANY, TANNI");
        std::size_t bytes = 0;
        while (s.step())
            for (int c = 0; c < 3; ++c) bytes += s.text(c).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(DrugListFill_Bare)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void HistoryStore(benchmark::State& state) {
    if (!openData(state)) return;
    const std::string block(4110, '$');
    for (auto _ : state)
        if (LRecordRIREKI(kMiddle, block.c_str()) != 0) state.SkipWithError("failed");
}
BENCHMARK(HistoryStore)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void PatientLookup(benchmark::State& state) {
    if (!openData(state)) return;
    PatientRecord record;
    for (auto _ : state) {
        record.ID = 0;
        LRecordDetail(&record, "", kMiddle, 1);
        if (record.ID != kMiddle) state.SkipWithError("not found");
    }
}
BENCHMARK(PatientLookup)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
