// User actions on the data server through a delay line of 10 ms each way (a 20 ms round trip,
// a server in the back office over Wi-Fi): their time and the round trips they take, next to
// the bare figure, the same data by one statement on a kept connection through the same line.
// The leaflet actions (a recall, a transfer, leafletadmin print-history) work on a stored
// 30-drug leaflet.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "admin.h"
#include "bench_server.h"
#include "counting_sinks.h"
#include "dataserver/admin.h"
#include "dbcall/session.h"
#include "delay_proxy.h"
#include "dosagebase.h"
#include "drugbase.h"
#include "layout/data_folder.h"
#include "leaflet/history_text.h"
#include "patientbase.h"
#include "phrases/phrase_tables.h"
#include "run_program.h"
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

// The program's start-up: the server checked, the libraries connected, the five phrase lists
// and the drug list in name order read. The phrase store keeps its connection while its folder
// names the same server, so each run first points it at the line under another application
// name: every run connects afresh, as a starting program does.
void DelayedStartUp(benchmark::State& state) {
    TempDir other;
    if (delayed().problem.empty())
        std::ofstream(other.path() / dbcall::kServerFileName)
            << delayed().conninfo << " application_name=other\n";
    const std::filesystem::path folder = delayed().folder.path();
    measure(state, [&] {
        RecordClose();
        LRecordClose();
        DRecordOpen(other.path().string().c_str(), nullptr);
        if (dataserver::checkServer(folder).state != dataserver::ServerCheck::State::Ready)
            return false;
        RecordOpen(folder.string().c_str(), nullptr);
        LRecordOpen(folder.string().c_str(), nullptr);
        DRecordOpen(folder.string().c_str(), nullptr);
        dosage::PhraseTables phrases;
        phrases.readAll();
        bench::CountingSinks sinks;
        int rows = 0;
        return RecordDisplay(&sinks.view, &sinks.list, &sinks.list, &sinks.list, &rows, 0) == 0 &&
               !dosage::phraseItems(phrases[dosage::kUsagePhrases]).empty();
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

// Stores a leaflet of the 30 drugs for the patient, as the newest in the history, and gives its
// slot and its slot time text.
bool storeLeaflet(int& slot, std::string& stamp) {
    if (!openDelayed()) return false;
    leaflet::HistoryBlock block{};
    for (std::size_t i = 0; i < delayed().yjcodes.size(); ++i)
        std::strncpy(block[i].yjcode, delayed().yjcodes[i].c_str(), sizeof block[i].yjcode - 1);
    if (LRecordRIREKI(kPatient, leaflet::historyText(block).c_str()) != 0) return false;
    struct Newest {
        int slot = -1;
        std::string stamp;
    } newest;
    const PatientListViewSink sink{&newest,
                                   [](void* c, int item, const char* t) {
                                       if (item == 0) static_cast<Newest*>(c)->stamp = t;
                                   },
                                   [](void* c, int item, int column, const char* t) {
                                       if (item == 0 && column == 1)
                                           static_cast<Newest*>(c)->slot = std::atoi(t);
                                   }};
    if (LRecordRIREKISlots(kPatient, &sink) != 0) return false;
    // The slot time text of the list form ("2009年03月07日 09:05:03"): its fourteen digits
    // shaped "YYYY/MM/DD HH:MM:SS".
    std::string digits;
    for (const char c : newest.stamp)
        if (c >= '0' && c <= '9') digits += c;
    if (digits.size() != 14 || newest.slot < 0) return false;
    slot = newest.slot;
    stamp = digits.substr(0, 4) + "/" + digits.substr(4, 2) + "/" + digits.substr(6, 2) + " " +
            digits.substr(8, 2) + ":" + digits.substr(10, 2) + ":" + digits.substr(12, 2);
    return true;
}

// The leaflet's drugs in one read; false unless all 30 are found.
bool readLeafletDrugs(std::vector<DrugRecord>& records) {
    std::vector<const char*> codes;
    for (const std::string& code : delayed().yjcodes) codes.push_back(code.c_str());
    records.assign(codes.size(), DrugRecord{});
    std::vector<int> found(codes.size());
    return RecordReadMany(codes.data(), static_cast<int>(codes.size()), records.data(),
                          found.data()) == 0 &&
           std::count(found.begin(), found.end(), 1) == kLeafletDrugs;
}

// A recall on the patient screen: the stored leaflet of a history date and its drugs.
void DelayedRecall(benchmark::State& state) {
    int slot = -1;
    std::string stamp;
    if (delayed().problem.empty() && !storeLeaflet(slot, stamp)) state.SkipWithError("no leaflet");
    measure(state, [&] {
        std::string text(leaflet::kStoredHistoryLength * 2 + 1, '\0');
        std::vector<DrugRecord> records;
        return LRecordRIREKIDisplaySlot(kPatient, slot, stamp.c_str(), text.data()) == 1 &&
               readLeafletDrugs(records);
    });
}
BENCHMARK(DelayedRecall)->Unit(benchmark::kMillisecond)->UseRealTime();

// A transfer into the print list: the drugs read once and each one's photograph drawn, from the
// records read (arg 1) or, as before, by its code with a statement of its own (arg 0).
void DelayedTransfer(benchmark::State& state) {
    if (delayed().problem.empty()) openDelayed();
    const bool fromRecords = state.range(0) == 1;
    const std::string base = delayed().folder.path().string();
    std::vector<std::uint32_t> pixels(140 * 105);
    DrugSurface surface{140, 105, 140 * 4, pixels.data()};
    measure(state, [&] {
        std::vector<DrugRecord> records;
        if (!readLeafletDrugs(records)) return false;
        for (const DrugRecord& record : records) {
            int drawn = 0;
            const int result =
                fromRecords
                    ? PictureImageOf(&surface, &drawn, &record, base.c_str(), 0, 0)
                    : PictureImage(&surface, &drawn, &surface, record.YJCODE, base.c_str(), 0, 0);
            if (result != 0) return false;
        }
        return true;
    });
}
BENCHMARK(DelayedTransfer)
    ->ArgName("fromRecords")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The folder `print-history` is given: its database folder names the delayed server.
std::filesystem::path programFolder() {
    const std::filesystem::path program = delayed().folder.path() / "program";
    std::filesystem::create_directories(layout::databaseFolder(program));
    std::filesystem::create_directories(program / layout::kConfigFolder);
    std::filesystem::copy_file(delayed().folder.path() / dbcall::kServerFileName,
                               layout::databaseFolder(program) / dbcall::kServerFileName,
                               std::filesystem::copy_options::overwrite_existing);
    return program;
}

// leafletadmin print-history of the stored 30-drug leaflet to a PDF file, the whole command:
// its connections, the patient, the leaflet, the drugs with their photographs and the page.
// Arg 0 runs it inside this process, whose libraries may keep a connection from before;
// arg 1 runs the leafletadmin program, every connection made afresh, as at the counter.
void DelayedPrintHistory(benchmark::State& state) {
    int slot = -1;
    std::string stamp;
    if (delayed().problem.empty() && !storeLeaflet(slot, stamp)) state.SkipWithError("no leaflet");
    const std::filesystem::path program = programFolder();
    const std::string pdf = (delayed().folder.path() / "leaflet.pdf").string();
    const std::vector<std::string> args = {"print-history", program.string(),
                                           std::to_string(kPatient), pdf};
    const bool ownProcess = state.range(0) == 1;
    measure(state, [&] {
        RecordClose();
        LRecordClose();
        std::ostringstream out, err;
        const bool printed = ownProcess ? bench::runProgram(LEAFLETADMIN_PROGRAM, args, err)
                                        : admin::run(args, out, err) == 0;
        if (!printed) state.SkipWithError(err.str().c_str());
        return printed;
    });
}
BENCHMARK(DelayedPrintHistory)
    ->ArgName("process")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
