// Leaflets stored as history texts and read back: every value a setting byte can hold comes
// back, and a text stored in the first form, where every zero byte was written as "$", reads
// back as it always did.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "entry_builder.h"
#include "leaflet/history_text.h"

namespace {

using leaflet::HistoryBlock;

TEST(HistoryText, EveryValueOfTheSettingBytesComesBack) {
    // 30 drugs of nine setting bytes (timings, meal timing, reserved byte, list positions) give
    // each byte value from 0 to 255. The texts fill their fields, so nothing may be kept in
    // the bytes after them.
    std::string usage;  // 30 full-width characters: 60 bytes
    for (int i = 0; i < 30; ++i) usage += "服";
    std::vector<DrugRecord> entries;
    for (int r = 0; r < leaflet::kHistoryRecords; ++r) {
        DrugRecord entry = EntryBuilder()
                               .yjcode(digits(24))
                               .amount(digits(20))
                               .days(digits(20))
                               .usage(usage)
                               .build();
        for (std::size_t k = 0; k < 9; ++k) entry.callerArea[k] = static_cast<char>(9 * r + k);
        entries.push_back(entry);
    }
    const HistoryBlock sent = leaflet::buildHistoryBlock(entries);
    const HistoryBlock back = leaflet::historyBlockFromText(leaflet::historyText(sent));
    EXPECT_EQ(std::memcmp(back.data(), sent.data(), sizeof sent), 0);
}

TEST(HistoryText, ATextStoredInTheFirstFormReadsBackAsBefore) {
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

    std::vector<DrugRecord> entries = {EntryBuilder()
                                           .yjcode("2171901F2S94")
                                           .timings({0, 2, 0, 101, 0})
                                           .meal(leaflet::kAfterMeals)
                                           .amount("用量　１回２錠")
                                           .days("７日分")
                                           .usage("１日２回  朝夕食後に服用")
                                           .build(),
                                       EntryBuilder().yjcode("1124017F1020").build()};
    entries[0].callerArea[7] = 4;       // amount list position
    entries[0].callerArea[8] = '\xFF';  // no days list selection
    entries[1].callerArea[leaflet::kBedtime] = 1;
    const HistoryBlock expected = leaflet::buildHistoryBlock(entries);
    const HistoryBlock back = leaflet::historyBlockFromText(stored);
    EXPECT_EQ(std::memcmp(back.data(), expected.data(), sizeof expected), 0);
}

}  // namespace
