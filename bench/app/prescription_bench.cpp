// Reading a prescription code text of many RPs (one drug each, as a long-term prescription
// printed on many symbols), beside the bare work it wraps: splitting the text into lines and
// fields. The reading should grow with the text as the splitting does.
// Matching the drugs of a 10-RP prescription against the 40,000-drug synthetic catalogue, half
// by 一般名 code and half by a half-width name, beside an all-YJ-code prescription and beside
// the bare lookups: the same number of indexed statements on a kept connection.
#include <benchmark/benchmark.h>

#include <string>

#include "prescription/drug_matcher.h"
#include "prescriptionfill/catalogue_source.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"

#include "prescription/prescription_reader.h"
#include "prescription/record_fields.h"
#include "prescription/symbol_text.h"
#include "sjis/sjis.h"

namespace {

std::string codeOf(int rps) {
    std::string text = "JAHIS10\r\n1,1,1234567,13,病院\r\n5,,,医師\r\n11,,患者,ｶﾝｼﾞｬ\r\n";
    for (int rp = 1; rp <= rps; ++rp) {
        const std::string n = std::to_string(rp);
        text += "101," + n + ",1,,14\r\n111," + n + ",1,,１日３回毎食後,3\r\n201," + n +
                ",1,1,2,620000001,薬,3,1,錠\r\n221," + n + ",1,1,1,1,,,,,,,\r\n";
    }
    return sjis::fromUtf8(text);
}

void readPrescriptionCode(benchmark::State& state) {
    const std::string code = codeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const prescription::ReadResult result = prescription::readPrescription(code);
        if (!result.prescription) state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(readPrescriptionCode)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void splitCodeIntoFields(benchmark::State& state) {
    const std::string code = codeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t fields = 0;
        for (const prescription::TextLine& line : prescription::splitLines(code))
            fields += prescription::splitFields(line.text).size();
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(splitCodeIntoFields)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

constexpr int kDrugs = 40000;
constexpr int kRps = 10;

const std::filesystem::path& catalogueFolder() {
    static const auto folder = bench::syntheticCatalogueFolder(
        std::filesystem::temp_directory_path() / "leafletdesk-bench", kDrugs);
    return folder;
}

// Drug i * 3,917 of the catalogue for RP i: even RPs by its 一般名 code (its YJ code with the
// last three characters replaced), odd ones by its product name in half width.
std::vector<prescription::Drug> prescribed(bool allYj) {
    const std::vector<drugbase::SuppliedDrug> drugs = bench::syntheticDrugs(kDrugs);
    std::vector<prescription::Drug> out;
    for (int rp = 0; rp < kRps; ++rp) {
        const int i = rp * 3917 % kDrugs;
        prescription::Drug d;
        d.name = sjis::toHalfWidth(sjis::fromUtf8(drugs[i].at("PRODUCTNAME")));
        d.code = bench::syntheticYjCode(i);
        d.codeKind = 4;
        if (!allYj && rp % 2 == 0) {
            d.codeKind = 7;
            d.code = d.code.substr(0, 9) + "ZZZ";
        } else if (!allYj) {
            d.codeKind = 1;
            d.code.clear();
        }
        out.push_back(std::move(d));
    }
    return out;
}

void intake(benchmark::State& state) {
    const std::vector<prescription::Drug> drugs = prescribed(state.range(0) == 1);
    data::DrugCatalogue catalogue;
    catalogue.open(catalogueFolder());
    for (auto _ : state) {
        const prescription::CatalogueSource source(catalogue);
        const prescription::DrugMatcher matcher(source, source);
        int matched = 0;
        for (const prescription::Drug& d : drugs)
            matched += matcher.match(d).method != prescription::MatchMethod::kUnmatched;
        if (matched != kRps) state.SkipWithError("a drug was not matched");
    }
    catalogue.close();
}
BENCHMARK(intake)->ArgName("allYj")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same data as one indexed statement per drug on a kept connection, prepared once: the
// drugs in a YJ code range, and the drugs whose name key is the prescribed name's, both in the
// order the intake lists candidates. With `exactName` the name is looked up as the catalogue
// spells it, without the key or the order: cheaper than the intake can be, since a
// prescription's half-width name is not stored; kept to show the cost of the name key.
void intake_Bare(benchmark::State& state) {
    const bool exactName = state.range(0) == 1;
    std::vector<prescription::Drug> drugs = prescribed(false);
    auto db = sqlkit::openEncrypted(catalogueFolder() / "薬剤ファイル.mdb", "HN%tPQS", nullptr);
    const std::string columns =
        "SELECT m.YJCODE, m.PRODUCTNAME, m.ZAIKEI, m.CODE FROM Medicine_Information AS m";
    sqlkit::Statement byRange =
        db->prepare(columns + " WHERE YJCODE >= ? AND YJCODE < ?" +
                    (exactName ? "" : " ORDER BY YJCODE, PRODUCTNAME, COMPANY, TANNI"));
    sqlkit::Statement byName = db->prepare(
        columns + (exactName ? " WHERE PRODUCTNAME = ?"
                             : " JOIN Name_Key AS k ON m.PRODUCTNAME = k.PRODUCTNAME WHERE "
                               "k.NAMEKEY = ? ORDER BY m.PRODUCTNAME, m.COMPANY, m.TANNI"));
    const std::vector<drugbase::SuppliedDrug> supplied = bench::syntheticDrugs(kDrugs);
    for (int rp = 1; rp < kRps; rp += 2) {
        drugs[rp].name = exactName ? supplied[rp * 3917 % kDrugs].at("PRODUCTNAME")
                                   : sjis::toUtf8(prescription::nameKey(drugs[rp].name));
    }
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const prescription::Drug& d : drugs) {
            sqlkit::Statement& s = d.codeKind == 7 ? byRange : byName;
            s.reset();
            if (d.codeKind == 7) {
                s.bindMatch(1, d.code.substr(0, 9))
                    .bindMatch(2, d.code.substr(0, 8) + char(d.code[8] + 1));
            } else {
                s.bindMatch(1, d.name);
            }
            while (s.step())
                for (int c = 0; c < 4; ++c) bytes += s.text(c).size();
        }
        if (bytes == 0) state.SkipWithError("nothing found");
    }
}
BENCHMARK(intake_Bare)->ArgName("exactName")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
