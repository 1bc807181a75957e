// The drug list fill, one history store and one patient lookup on the encrypted files (server:0)
// and on a data server (server:1) holding the same 40,000 drugs and 5,000 patients with full
// histories. The server is a throw-away PostgreSQL started for the run on a Unix socket.
#include <benchmark/benchmark.h>

#include <fstream>

#include "catalogue_admin.h"
#include "dbcall/session.h"
#include "drugbase.h"
#include "patient_admin.h"
#include "patientbase.h"
#include "pg_server.h"
#include "sqlkit/postgres.h"
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
    std::string problem;

    ServerData() : problem(server.problem()) {
        if (!problem.empty()) return;
        const std::string conninfo = server.freshDatabase();
        auto db = sqlkit::openServer(conninfo, &problem);
        if (!db || !drugbase::createCatalogueTables(*db, &problem) ||
            !patientbase::createPatientTables(*db, &problem) ||
            !bench::fillSyntheticCatalogue(*db, kDrugs, &problem))
            return;
        bench::fillSyntheticRegister(*db, kPatients, conninfo);
        db->exec("ANALYZE");
        std::ofstream(folder.path() / dbcall::kServerFileName) << conninfo << "\n";
        problem.clear();
    }
};

// Points both libraries at the files or at the server; false after skipping the benchmark.
bool openData(benchmark::State& state) {
    std::filesystem::path drugs, patients;
    if (state.range(0) == 0) {
        drugs = bench::syntheticCatalogueFolder(cache(), kDrugs);
        patients = bench::syntheticRegisterFolder(cache(), kPatients);
    } else {
        static ServerData server;
        if (!server.problem.empty()) {
            state.SkipWithError(server.problem.c_str());
            return false;
        }
        drugs = patients = server.folder.path();
    }
    RecordOpen(drugs.string().c_str(), nullptr);
    LRecordOpen(patients.string().c_str(), nullptr);
    // The server connection is made here, before the timing, as at a program's start.
    return LRecordDetail(nullptr, "", kMiddle, 1) == 0;
}

struct CountingSinks {
    int count = 0;
    DrugListSink list{this, [](void* c, const char*) { ++static_cast<CountingSinks*>(c)->count; },
                      nullptr};
    DrugListViewSink view{this, [](void*, int, const char*) {},
                          [](void*, int, int, const char*) {}};
};

void DrugListFill(benchmark::State& state) {
    if (!openData(state)) return;
    for (auto _ : state) {
        CountingSinks sinks;
        int rows = 0;
        RecordDisplay(&sinks.view, &sinks.list, &sinks.list, &sinks.list, &rows, 0);
        if (rows != kDrugs) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(DrugListFill)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
