#include "synthetic_register.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "patient_admin.h"
#include "register_columns.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"

namespace bench {
namespace {

const std::vector<std::string> kFamily = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺",
                                          "山本", "中村", "小林", "加藤", "吉田", "山田"};
const std::vector<std::string> kFamilyReading = {"さとう",   "すずき",   "たかはし", "たなか",
                                                 "いとう",   "わたなべ", "やまもと", "なかむら",
                                                 "こばやし", "かとう",   "よしだ",   "やまだ"};
const std::vector<std::string> kGiven = {"太郎", "花子", "一郎", "美咲",
                                         "健太", "陽子", "翔",   "結衣"};
const std::vector<std::string> kGivenReading = {"たろう", "はなこ", "いちろう", "みさき",
                                                "けんた", "ようこ", "しょう",   "ゆい"};
const std::vector<std::string> kWards = {"東病棟", "西病棟", "南病棟", "", "外来"};
const std::vector<std::string> kUsages = {"1日3回 毎食後に服用", "1日2回 朝夕食後に服用",
                                          "1日1回 就寝前に服用", "痛む時に服用 1日3回まで"};

void fill(std::string& block, std::size_t at, std::size_t width, const std::string& utf8) {
    const std::string text = sjis::fromUtf8(utf8);
    block.replace(at, std::min(text.size(), width - 1), text, 0, std::min(text.size(), width - 1));
}

void failWith(const std::filesystem::path& file, const std::string& what) {
    std::fprintf(stderr, "cannot build %s: %s\n", file.string().c_str(), what.c_str());
    std::exit(1);
}

}  // namespace

void fillSyntheticRegister(sqlkit::Connection& db, int count, const std::string& where) {
    std::string columns = patientbase::registerColumnList() + ", REGIST", values;
    for (int slot = 0; slot < patientbase::kSlotCount; ++slot)
        columns += ", " + patientbase::stampColumn(slot) + ", " + patientbase::blockColumn(slot);
    for (int i = 0; i < 15 + 2 * patientbase::kSlotCount; ++i) values += i ? ", ?" : "?";
    sqlkit::Transaction transaction(db);
    sqlkit::Statement insert =
        db.prepare("INSERT INTO Patient_Information (" + columns + ") VALUES (" + values + ")");
    if (!insert.ok()) failWith(where, insert.error());
    std::mt19937 rng(20240607);
    for (int id = 1; id <= count; ++id) {
        const std::size_t family = rng() % kFamily.size(), given = rng() % kGiven.size();
        insert.reset();
        insert.bindInt(1, id)
            .bindText(2, kFamily[family] + " " + kGiven[given])
            .bindInt(3, 1 + given % 2)
            .bindText(4, "03-" + std::to_string(1000 + rng() % 9000) + "-" +
                             std::to_string(1000 + rng() % 9000))
            .bindText(5, id % 3 ? "090-" + std::to_string(1000 + rng() % 9000) + "-0000" : "")
            .bindInt(6, 3 + rng() % 2)
            .bindInt(7, 1 + rng() % 60)
            .bindInt(8, 1 + rng() % 12)
            .bindInt(9, 1 + rng() % 28)
            .bindText(10, "東京都千代田区丸の内" + std::to_string(id))
            .bindText(11, kWards[rng() % kWards.size()])
            .bindText(12, id % 7 ? "" : "ペニシリン系")
            .bindText(13, id % 11 ? "" : "発疹")
            .bindText(14, kFamilyReading[family] + " " + kGivenReading[given])
            .bindText(15, "2024-01-01 09:00:00");
        const bool history = id % kSyntheticHistoryEvery == 0;
        for (int slot = 0; slot < patientbase::kSlotCount; ++slot) {
            if (history)
                insert.bindText(16 + 2 * slot, syntheticStamp(slot))
                    .bindBlob(17 + 2 * slot, syntheticHistoryBlock(id, slot));
            else
                insert.bindNull(16 + 2 * slot).bindNull(17 + 2 * slot);
        }
        insert.step();
        if (insert.failed()) failWith(where, insert.error());
    }
    if (!transaction.commit()) failWith(where, db.lastError());
}

std::string syntheticHistoryBlock(int id, int slot) {
    std::mt19937 rng(static_cast<unsigned>(id * 20 + slot));
    std::string block(patientbase::kBlockTextLength, '\0');
    for (int r = 0; r < 30; ++r) {
        const std::size_t at = 137 * r;
        const int drug = 1 + 2 * static_cast<int>(rng() % (kSyntheticHistoryDrugs / 2));
        fill(block, at, 25, syntheticYjCode(drug));
        for (int t = 0; t < 5; ++t) block[at + 25 + t] = static_cast<char>(rng() % 3);
        block[at + 30] = 3;
        fill(block, at + 34, 21, "1回1錠");
        fill(block, at + 55, 21, std::to_string(1 + rng() % 30) + "日分");
        fill(block, at + 76, 61, kUsages[rng() % kUsages.size()]);
    }
    for (char& c : block)
        if (c == '\0') c = '$';
    return block;
}

std::string syntheticStamp(int slot) {
    char text[32];
    std::snprintf(text, sizeof text, "2023-01-%02d 09:05:00", 1 + slot);
    return text;
}

std::filesystem::path syntheticRegisterFolder(const std::filesystem::path& cacheRoot, int count) {
    const auto folder = cacheRoot / ("register-" + std::to_string(count) + "-slim");
    const auto file = folder / patientbase::kFileName;
    if (std::filesystem::exists(file)) return folder;
    // Built under another name and renamed when complete, so an interrupted run leaves no
    // half-filled register behind to be reused.
    auto building = folder;
    building += ".building";
    std::filesystem::remove_all(building);
    std::filesystem::create_directories(building);
    std::string error;
    if (!patientbase::createPatientDatabase(building, &error)) failWith(building, error);
    const auto built = building / patientbase::kFileName;
    sqlkit::ConnectionPtr db = sqlkit::openEncrypted(built, patientbase::kPassword, &error);
    if (!db) failWith(built, error);
    fillSyntheticRegister(*db, count, built.string());
    std::filesystem::rename(building, folder);
    return folder;
}

}  // namespace bench
