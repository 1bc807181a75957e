// import-master of a 20,000-row public drug master (the size of the real file) into a fresh
// program folder, with and without adding the drugs, beside the bare work: the same code map
// and catalogue inserts as prepared statements in one transaction.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "admin.h"
#include "catalogue_admin.h"
#include "folderkey/file_key.h"
#include "layout/data_folder.h"
#include "master_file.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"
#include "temp_dir.h"

namespace {

constexpr int kRows = 20000;

std::string value(const drugbase::SuppliedDrug& drug, const char* column) {
    const auto it = drug.find(column);
    return it == drug.end() ? std::string() : it->second;
}

const std::vector<MasterDrug>& masterDrugs() {
    static const std::vector<MasterDrug> drugs = [] {
        std::vector<MasterDrug> out;
        for (const auto& d : bench::syntheticDrugs(kRows)) {
            const std::string yj = value(d, "YJCODE");
            out.push_back({std::to_string(620000000 + out.size()), value(d, "PRODUCTNAME"), "錠",
                           "12.30", yj, yj.substr(0, 9) + "ZZZ",
                           "【般】" + value(d, "GENERALNAME")});
        }
        return out;
    }();
    return drugs;
}

const std::filesystem::path& masterFile() {
    static TempDir dir;
    static const std::filesystem::path file = [] {
        const auto f = dir.path() / "y_ALL20260401.csv";
        writeMaster(f, masterDrugs());
        return f;
    }();
    return file;
}

// One fresh program folder with empty databases per iteration, made before the timing.
std::vector<std::unique_ptr<TempDir>> freshPrograms(const benchmark::State& state) {
    std::vector<std::unique_ptr<TempDir>> programs;
    for (benchmark::IterationCount i = 0; i < state.max_iterations; ++i) {
        programs.push_back(std::make_unique<TempDir>());
        std::ostringstream out, err;
        admin::initFolder(programs.back()->path(), out, err);
    }
    return programs;
}

void ImportMaster(benchmark::State& state) {
    const bool addDrugs = state.range(0) != 0;
    const auto file = masterFile();
    const auto programs = freshPrograms(state);
    std::size_t next = 0;
    for (auto _ : state) {
        std::vector<std::string> args = {"import-master", programs[next++]->path().string(),
                                         file.string()};
        if (addDrugs) args.push_back("--add-drugs");
        std::ostringstream out, err;
        if (admin::run(args, out, err) != 0) state.SkipWithError(err.str().c_str());
    }
}

void BareMasterInserts(benchmark::State& state) {
    const auto& drugs = masterDrugs();
    const auto programs = freshPrograms(state);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto database = layout::databaseFolder(programs[next++]->path());
        auto db = sqlkit::openEncrypted(database / "薬剤ファイル.mdb",
                                        *folderkey::fileKeyIn(database, nullptr), nullptr);
        db->exec("PRAGMA cache_size = -65536");
        sqlkit::Transaction transaction(*db);
        sqlkit::Statement map = db->prepare(
            "INSERT INTO Code_Map (RECEIPTCODE, YJCODE, GENERALNAMECODE, GENERALNAME) "
            "VALUES (?, ?, ?, ?)");
        drugbase::SuppliedInsert insert(*db);
        for (const MasterDrug& d : drugs) {
            map.reset();
            map.bindText(1, d.receiptCode)
                .bindText(2, d.yjCode)
                .bindText(3, d.generalNameCode)
                .bindText(4, d.generalName);
            map.step();
            insert.add({{"YJCODE", d.yjCode},
                        {"PRODUCTNAME", d.name},
                        {"TANNI", d.unit},
                        {"YAKUKA", d.price}});
        }
        if (!transaction.commit()) state.SkipWithError("commit failed");
    }
}

}  // namespace

BENCHMARK(ImportMaster)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BareMasterInserts)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
