// FUKUYOTEXT and YJSU over generated 40,000-record K3 files against the 40,000-drug synthetic
// catalogue, beside the bare work: the same updates as prepared statements in one
// transaction, without reading or converting the file.
#include <benchmark/benchmark.h>

#include <fstream>

#include "drugbase.h"
#include "scratch_catalogue.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"

namespace {

constexpr int kDrugs = 40000;

const char* const kSentences[] = {
    "血液中の糖分を下げる薬です。", "●眠気、めまいがあらわれることがあります。",
    "食後に水またはぬるま湯で飲んでください。", "★アルコールは控えてください。",
    "症状が治まっても自分の判断で中止しないでください。"};

// About `bytes` bytes of CP932 text made of the sentences, varied by `seed`.
std::string text(int seed, int bytes) {
    std::string out;
    for (int k = seed; static_cast<int>(out.size()) < bytes; ++k)
        out += sjis::fromUtf8(kSentences[k % 5]);
    return out;
}

struct GuidanceLine {
    std::string yjcode;
    std::string texts[5];  // UTF-8, for the bare updates
};

std::vector<GuidanceLine>& guidance() {
    static std::vector<GuidanceLine> lines = [] {
        std::vector<GuidanceLine> out(kDrugs);
        const auto& s = bench::scratchCatalogue(kDrugs);
        const auto file = s.imports / "7服薬指導CDテキストデータ/YJHA0601.K3";
        std::filesystem::create_directories(file.parent_path());
        std::ofstream k3(file, std::ios::binary);
        for (int i = 0; i < kDrugs; ++i) {
            out[i].yjcode = bench::syntheticYjCode(i);
            k3 << '"' << out[i].yjcode << '"';
            for (int f = 0; f < 5; ++f) {
                const std::string t = text(i + f, 150 + (i * 37 + f * 91) % 300);
                out[i].texts[f] = sjis::toUtf8(t);
                k3 << ",\"" << t << '"';
            }
            k3 << "\r\n";
        }
        return out;
    }();
    return lines;
}

void writeProcessingFiles() {
    const auto& s = bench::scratchCatalogue(kDrugs);
    const auto folder = s.imports / "4処理用データ";
    std::filesystem::create_directories(folder);
    std::ofstream names(folder / "Saibun.K3", std::ios::binary);
    for (int c = 100; c < 400; ++c)
        names << '"' << c << "\",\"" << sjis::fromUtf8("薬効分類") << c << "\"\r\n";
    std::ofstream k3(folder / "YJSU0601.K3", std::ios::binary);
    for (int i = 0; i < kDrugs; ++i) {
        const std::string code = sjis::toFullWidth(std::to_string(100 + i % 300));
        k3 << '"' << std::string(24, '0') << "\",\"\",\"x\",\"" << sjis::fromUtf8("内用") << "\",\""
           << code << "\",\"" << sjis::fromUtf8("錠") << "\",\"" << text(i, 120) << "\",\""
           << sjis::fromUtf8("処方箋医薬品") << "\"\r\n";
    }
}

void FukuyotextFullFile(benchmark::State& state) {
    guidance();
    for (auto _ : state)
        if (FUKUYOTEXT() != 0) state.SkipWithError("FUKUYOTEXT failed");
}

void YjsuFullFile(benchmark::State& state) {
    writeProcessingFiles();
    for (auto _ : state)
        if (YJSU() != 0) state.SkipWithError("YJSU failed");
}

void BareGuidanceUpdates(benchmark::State& state) {
    const auto& lines = guidance();
    const auto& s = bench::scratchCatalogue(kDrugs);
    for (auto _ : state) {
        auto db = sqlkit::openEncrypted(s.database / "薬剤ファイル.mdb", "HN%tPQS", nullptr);
        db->exec("PRAGMA cache_size = -65536");
        sqlkit::Transaction transaction(*db);
        sqlkit::Statement update = db->prepare(
            "UPDATE Medicine_Information SET SAYOA = ?, SAYOB = ?, SAYOC1 = ?, SAYOC2 = ?, "
            "CYUUI = ? WHERE rowid = (SELECT rowid FROM Medicine_Information WHERE YJCODE = ? "
            "ORDER BY rowid LIMIT 1)");
        for (const GuidanceLine& line : lines) {
            update.reset();
            for (int f = 0; f < 5; ++f) update.bindText(f + 1, line.texts[f]);
            update.bindMatch(6, line.yjcode);
            update.step();
        }
        if (!transaction.commit()) state.SkipWithError("commit failed");
    }
}

}  // namespace

BENCHMARK(FukuyotextFullFile)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BareGuidanceUpdates)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(YjsuFullFile)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
