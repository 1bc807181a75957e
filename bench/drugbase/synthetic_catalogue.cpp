#include "synthetic_catalogue.h"

#include <cstdio>
#include <random>

#include "drugbase.h"
#include "sjis/sjis.h"

namespace bench {
namespace {

const std::vector<std::string> kSyllables = {
    "ア", "イ",   "ウ",     "エ",     "オ",   "カ",   "キ",       "ク",     "ケ",     "コ",    "サ",
    "シ", "ス",   "セ",     "ソ",     "タ",   "チ",   "ツ",       "テ",     "ト",     "ナ",    "ニ",
    "ヌ", "ネ",   "ノ",     "ハ",     "ヒ",   "フ",   "ヘ",       "ホ",     "マ",     "ミ",    "ム",
    "メ", "モ",   "ラ",     "リ",     "ル",   "レ",   "ロ",       "ガ",     "ジ",     "ド",    "バ",
    "ピ", "プロ", "フェン", "ゾール", "チン", "ロン", "マイシン", "セリン", "パミン", "ラクト"};
const std::vector<std::string> kForms = {"錠",   "錠",   "腸溶錠",   "カプセル",   "散",
                                         "細粒", "顆粒", "シロップ", "軟膏・硬膏", "貼付剤",
                                         "坐剤", "液",   "吸入剤"};
const std::vector<std::string> kMakers = {"サンプル製薬", "見本薬品工業", "テスト化学",
                                          "例題ファーマ", "合成製薬"};
const std::vector<std::string> kSentences = {
    "血圧を下げる薬です。",
    "痛みや熱をおさえます。",
    "胃の粘膜を保護します。",
    "●眠気があらわれることがあります。",
    "★自動車の運転は避けてください。",
    "飲み忘れた場合は気がついた時にすぐ飲んでください。",
    "次の服用時間が近い場合は一回分を飛ばしてください。",
    "発疹やかゆみがあらわれた場合は医師に相談してください。"};

// Sentences joined until the text is `bytes` CP932 bytes long or just short of it.
std::string memo(std::mt19937& rng, int bytes) {
    std::string out;
    int length = 0;
    for (;;) {
        const std::string& s = kSentences[rng() % kSentences.size()];
        const int n = static_cast<int>(sjis::fromUtf8(s).size());
        if (length + n > bytes) break;
        out += s;
        length += n;
    }
    return out;
}

// The reading of a katakana stem as an N code: hiragana, cut to the code's 24 bytes.
std::string hiraganaCode(const std::string& stem) {
    constexpr std::size_t kCodeBytes = sizeof(DrugRecord{}.CODE) - 1;
    const std::string hiragana = sjis::kataToHira(sjis::fromUtf8(stem));
    return sjis::toUtf8(hiragana.substr(0, sjis::cutLength(hiragana, kCodeBytes)));
}

std::string pick(std::mt19937& rng, const std::vector<std::string>& v) {
    return v[rng() % v.size()];
}

}  // namespace

std::string syntheticYjCode(int i) {
    char code[16];
    std::snprintf(code, sizeof code, "%07dF%04d", 1000000 + i * 7 % 9000000, i % 10000);
    return code;
}

std::vector<drugbase::SuppliedDrug> syntheticDrugs(int count) {
    std::mt19937 rng(20261207);
    std::vector<drugbase::SuppliedDrug> drugs;
    drugs.reserve(count);
    for (int i = 0; i < count; ++i) {
        std::string stem;
        const int parts = 2 + static_cast<int>(rng() % 3);
        for (int p = 0; p < parts; ++p) stem += pick(rng, kSyllables);
        const std::string form = pick(rng, kForms);
        const std::string strength = std::to_string(1 + rng() % 500) + "ｍｇ";
        drugbase::SuppliedDrug d;
        d["YJCODE"] = syntheticYjCode(i);
        d["PRODUCTNAME"] = stem + form + strength + "「" + pick(rng, kMakers) + "」";
        d["CODE"] = i % 5 == 0 ? hiraganaCode(stem) : "N" + std::to_string(100000 + i);
        d["GENERALNAME"] = stem + "塩酸塩" + std::to_string(i / 4);
        d["TANNI"] = strength + "１" + form;
        d["YAKUKA"] = std::to_string(5 + rng() % 300) + ".10";
        d["COMPANY"] = pick(rng, kMakers);
        d["COLOR"] = "白色";
        d["TOUYOKEIRO"] =
            form == "軟膏・硬膏" || form == "貼付剤" || form == "液" ? "外用" : "内用";
        d["ZAIKEI"] = form;
        d["SAIBUNRUI"] = "その他の循環器官用薬";
        d["YOUHOU"] = memo(rng, 100);
        for (const char* column : {"SAYOA", "SAYOB", "SAYOC1", "SAYOC2", "CYUUI"})
            d[column] = memo(rng, 100 + static_cast<int>(rng() % 400));
        d["PHOTO1"] = std::to_string(i % 2);
        d["PHOTO_HYOUJI"] = "1";
        drugs.push_back(std::move(d));
    }
    return drugs;
}

bool fillSyntheticCatalogue(sqlkit::Connection& db, int count, std::string* error) {
    sqlkit::Transaction load(db);
    drugbase::SuppliedInsert insert(db);
    bool added = load.began() && insert.ok();
    for (const auto& drug : syntheticDrugs(count))
        if (added) added = insert.add(drug);
    if (added && load.commit()) return true;
    if (error) *error = insert.error().empty() ? db.lastError() : insert.error();
    return false;
}

std::filesystem::path syntheticCatalogueFolder(const std::filesystem::path& cacheRoot, int count) {
    const auto folder = cacheRoot / ("catalogue-" + std::to_string(count));
    const auto file = folder / "薬剤ファイル.mdb";
    if (std::filesystem::exists(file)) return folder;
    std::filesystem::create_directories(folder);
    std::string error;
    if (!drugbase::createCatalogue(folder, &error)) {
        std::fprintf(stderr, "cannot create %s: %s\n", file.string().c_str(), error.c_str());
        std::exit(1);
    }
    const auto result = drugbase::addSuppliedDrugs(folder, syntheticDrugs(count));
    if (!result.ok) {
        std::filesystem::remove(file);
        std::fprintf(stderr, "cannot fill %s: %s\n", file.string().c_str(), result.reason.c_str());
        std::exit(1);
    }
    return folder;
}

}  // namespace bench
