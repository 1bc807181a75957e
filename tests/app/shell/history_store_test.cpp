// Leaflets saved into a patient's history and recalled through the patient library: every
// value a setting byte can hold comes back, and a block stored in the first form, where every
// zero byte was written as "$", reads back as it always did.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <sstream>
#include <vector>

#include "admin.h"
#include "entry_builder.h"
#include "layout/data_folder.h"
#include "leaflet/history_text.h"
#include "patientbase.h"
#include "shell/history_save.h"
#include "stored_histories.h"
#include "temp_dir.h"

namespace {

using leaflet::HistoryBlock;
using leaflet::HistoryRecord;

const char* const kName = "薬歴　花子";

// The five timing amounts, the meal timing, the reserved byte and the two list positions.
constexpr std::size_t kSettingBytes = 9;

std::vector<int> settingsOf(const HistoryRecord& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    const std::size_t first = offsetof(HistoryRecord, timings);
    return {bytes + first, bytes + first + kSettingBytes};
}

class HistoryStore : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(admin::initFolder(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(LRecordOpen(layout::databaseFolder(dir.path()).string().c_str(), nullptr), 0);
    }
    void TearDown() override { LRecordClose(); }

    // The block of the patient's only stored leaflet.
    HistoryBlock recall(int id) {
        const std::vector<std::string> texts = storedHistories(id);
        EXPECT_EQ(texts.size(), 1u);
        if (texts.empty()) return {};
        EXPECT_EQ(texts[0].size(), leaflet::kStoredHistoryLength);
        return leaflet::historyBlockFromText(texts[0]);
    }

    TempDir dir;
};

TEST_F(HistoryStore, EveryValueOfTheSettingBytesComesBack) {
    // Nine leaflets of 30 drugs give each setting byte every value from 0 to 255. The texts
    // fill their fields, so nothing may be kept in the bytes after them.
    std::string usage;  // 30 full-width characters: 60 bytes
    for (int i = 0; i < 30; ++i) usage += "服";
    for (int sheet = 0; sheet < 9; ++sheet) {
        const int id = sheet + 1;
        registerPatient(id, kName);
        std::vector<DrugRecord> entries;
        for (int r = 0; r < leaflet::kHistoryRecords; ++r) {
            DrugRecord entry = EntryBuilder()
                                   .yjcode(digits(24))
                                   .amount(digits(20))
                                   .days(digits(20))
                                   .usage(usage)
                                   .build();
            for (std::size_t k = 0; k < kSettingBytes; ++k)
                entry.callerArea[k] = static_cast<char>((30 * sheet + r + k) % 256);
            entries.push_back(entry);
        }
        ASSERT_EQ(shell::saveToHistory(true, std::to_string(id), cp932(kName), entries),
                  shell::HistorySave::kStored);

        const HistoryBlock sent = leaflet::buildHistoryBlock(entries);
        const HistoryBlock back = recall(id);
        for (int r = 0; r < leaflet::kHistoryRecords; ++r)
            EXPECT_EQ(settingsOf(back[r]), settingsOf(sent[r]))
                << "leaflet " << sheet << " record " << r;
        EXPECT_EQ(std::memcmp(back.data(), sent.data(), sizeof sent), 0) << "leaflet " << sheet;
    }
}

TEST_F(HistoryStore, ABlockStoredInTheFirstFormReadsBackAsBefore) {
    registerPatient(7, kName);
    // Two records as the first form wrote them; the second one's morning amount of 36 was
    // written as "$" and, as then, is recalled as no amount.
    std::string stored(leaflet::kStoredHistoryLength, '$');
    const auto put = [&stored](std::size_t at, const std::string& bytes) {
        stored.replace(at, bytes.size(), bytes);
    };
    put(0, "2171901F2S94");
    put(26, "\x02");
    put(28, "e");  // 101: one and a half
    put(30, "\x03");
    put(32, "\x04\xFF");
    put(34, cp932("用量　１回２錠"));
    put(55, cp932("７日分"));
    put(76, cp932("１日２回  朝夕食後に服用"));
    put(137, "1124017F1020");
    put(137 + 29, "\x01");
    ASSERT_EQ(LRecordRIREKI(7, stored.c_str()), 0);

    HistoryBlock expected{};
    sjis::copyField(expected[0].yjcode, sizeof expected[0].yjcode, "2171901F2S94");
    expected[0].timings[leaflet::kMorning] = 2;
    expected[0].timings[leaflet::kEvening] = 101;
    expected[0].mealTiming = leaflet::kAfterMeals;
    expected[0].amountListPosition = 4;
    expected[0].daysListPosition = 0xFF;
    sjis::copyField(expected[0].amountText, sizeof expected[0].amountText, cp932("用量　１回２錠"));
    sjis::copyField(expected[0].daysText, sizeof expected[0].daysText, cp932("７日分"));
    sjis::copyField(expected[0].usageText, sizeof expected[0].usageText,
                    cp932("１日２回  朝夕食後に服用"));
    sjis::copyField(expected[1].yjcode, sizeof expected[1].yjcode, "1124017F1020");
    expected[1].timings[leaflet::kBedtime] = 1;
    const HistoryBlock back = recall(7);
    EXPECT_EQ(std::memcmp(back.data(), expected.data(), sizeof expected), 0);
    EXPECT_EQ(back[1].timings[leaflet::kMorning], 0);
}

}  // namespace
