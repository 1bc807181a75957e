#include <chrono>
#include <thread>

#include "patient_fixture.h"
#include "stamp_text.h"

namespace {

constexpr std::size_t kBlock = 4110;

// The stored text of a history block: one record with a YJ code, timing amounts and a usage
// text, the other records empty, every zero byte written as "$".
std::string blockText(const std::string& yjcode, const std::string& usage = "1日3回 毎食後") {
    std::string block(kBlock, '\0');
    block.replace(0, yjcode.size(), yjcode);
    block[26] = 1;
    block[30] = 3;
    const std::string text = sjis::fromUtf8(usage);
    block.replace(76, text.size(), text);
    for (char& c : block)
        if (c == '\0') c = '$';
    return block;
}

// The slot time text and slot key text of a stored stamp.
std::string timeText(const std::string& stored) {
    return patientbase::slotTimeText(*patientbase::parseStored(stored));
}
std::string keyText(const std::string& stored) {
    return patientbase::slotKeyText(*patientbase::parseStored(stored));
}

class HistoryTest : public PatientFileTest {
  protected:
    void SetUp() override {
        PatientFileTest::SetUp();
        create(1, "薬歴 太郎");
    }

    // Plants slot stamps (and a block naming the slot) as a full set of distinct days.
    void plantFullSet(int oldestSlot) {
        std::string sql = "UPDATE Patient_Information SET ";
        for (int i = 0; i < 20; ++i) {
            const int day = i == oldestSlot ? 1 : i + 2;
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "2020-01-%02d 10:00:00", day);
            sql += (i ? ", N" : "N") + std::to_string(i) + " = '" + stamp + "', INFO" +
                   std::to_string(i) + " = CAST('" + blockText("SLOT" + std::to_string(i)) +
                   "' AS BLOB)";
        }
        run(sql + " WHERE ID = 1");
    }

    std::string slot(int i) const {
        return stored("SELECT N" + std::to_string(i) + " FROM Patient_Information WHERE ID = 1");
    }
    std::string block(int i) const {
        return stored("SELECT INFO" + std::to_string(i) + " FROM Patient_Information WHERE ID = 1");
    }
    std::vector<std::string> dates(int id = 1) const {
        ListCollector list;
        EXPECT_EQ(LRecordRIREKIDate(id, &list.sink), 0);
        return list.items;
    }
    // The recalled block, or "<none>".
    std::string recall(const std::string& time) const {
        std::string out(kBlock + 1, '#');
        const int found = LRecordRIREKIDisplay(1, time.c_str(), out.data());
        EXPECT_TRUE(found == 0 || found == 1) << found;
        return found == 1 ? std::string(out.c_str()) : "<none>";
    }
};

}  // namespace

TEST_F(HistoryTest, StoresFillTheSlotsInOrderAndComeBackIdentical) {
    const std::string first = blockText("1124017F1020"), second = blockText("2149039F1030");
    ASSERT_EQ(LRecordRIREKI(1, first.c_str()), 0);
    EXPECT_NE(slot(0), "<null>");
    EXPECT_EQ(block(0), first);
    EXPECT_EQ(slot(1), "<null>");
    ASSERT_EQ(LRecordRIREKI(1, second.c_str()), 0);
    EXPECT_EQ(block(1), second);
    EXPECT_EQ(stored("SELECT typeof(INFO1) FROM Patient_Information"), "blob");

    // Recall by the slot time text of each stamp (the higher slot when both share a second).
    EXPECT_EQ(recall(timeText(slot(1))), second);
    if (slot(0) != slot(1)) {
        EXPECT_EQ(recall(timeText(slot(0))), first);
    }
    EXPECT_EQ(dates().size(), 2u);
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(HistoryTest, AFullSetLosesItsOldestLeaflet) {
    plantFullSet(13);
    const std::string newest = blockText("NEWEST");
    ASSERT_EQ(LRecordRIREKI(1, newest.c_str()), 0);
    EXPECT_EQ(block(13), newest);
    EXPECT_GT(slot(13), "2020-12-31 23:59:59");
    for (int i : {0, 12, 14, 19}) EXPECT_EQ(block(i), blockText("SLOT" + std::to_string(i)));

    const auto list = dates();
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list[0], sjis::toUtf8(patientbase::listForm(*patientbase::parseStored(slot(13)))));
    EXPECT_EQ(list[1], "2020年01月21日 10:00:00");
    EXPECT_EQ(list[19], "2020年01月02日 10:00:00");
}

TEST_F(HistoryTest, AnEmptiedSlotIsReusedBeforeAnyOverwrite) {
    plantFullSet(0);
    ASSERT_EQ(LRecordRIREKIDELL(1, "2020/01/05 10:00:00"), 0);  // slot 3
    EXPECT_EQ(slot(3), "<null>");
    EXPECT_EQ(block(3), "<null>");
    EXPECT_EQ(dates().size(), 19u);
    const std::string again = blockText("AGAIN");
    ASSERT_EQ(LRecordRIREKI(1, again.c_str()), 0);
    EXPECT_EQ(block(3), again);
    EXPECT_EQ(block(0), blockText("SLOT0"));  // the oldest is kept
}

TEST_F(HistoryTest, AMorningStampIsListedRecalledAndDeletedByItsThreeForms) {
    run("UPDATE Patient_Information SET N5 = '2009-03-07 09:05:03', INFO5 = CAST('" +
        blockText("MORNING") + "' AS BLOB)");
    EXPECT_EQ(dates(), std::vector<std::string>{"2009年03月07日 09:05:03"});
    EXPECT_EQ(recall("2009/03/07 09:05:03"), blockText("MORNING"));
    EXPECT_EQ(recall("2009/03/07 9:05:03"), "<none>");
    ASSERT_EQ(LRecordRIREKIDELL(1, "2009/03/07 09:05:03"), 0);
    EXPECT_EQ(slot(5), "2009-03-07 09:05:03");
    ASSERT_EQ(LRecordRIREKIDELL(1, "2009/03/07 9:05:03"), 0);
    EXPECT_EQ(slot(5), "<null>");
    EXPECT_TRUE(dates().empty());
}

TEST_F(HistoryTest, EqualStampsRecallTheHigherSlotAndDeleteTheLowerFirst) {
    run("UPDATE Patient_Information SET N2 = '2015-08-01 14:30:00', INFO2 = CAST('" +
        blockText("LOW") + "' AS BLOB), N6 = '2015-08-01 14:30:00', INFO6 = CAST('" +
        blockText("HIGH") + "' AS BLOB)");
    EXPECT_EQ(dates(), (std::vector<std::string>(2, "2015年08月01日 14:30:00")));
    EXPECT_EQ(recall("2015/08/01 14:30:00"), blockText("HIGH"));
    ASSERT_EQ(LRecordRIREKIDELL(1, "2015/08/01 14:30:00"), 0);
    EXPECT_EQ(slot(2), "<null>");
    EXPECT_EQ(block(6), blockText("HIGH"));
}

TEST_F(HistoryTest, TwoStoresWithinOneSecondGetEqualStamps) {
    using namespace std::chrono;
    const std::string a = blockText("A"), b = blockText("B");
    for (int attempt = 0; attempt < 5; ++attempt) {
        // Start just after a second begins, and retry if the two stores still straddle one.
        const auto start = system_clock::now();
        std::this_thread::sleep_until(ceil<seconds>(start) + milliseconds(10));
        const std::time_t before = std::time(nullptr);
        ASSERT_EQ(LRecordRIREKI(1, a.c_str()), 0);
        ASSERT_EQ(LRecordRIREKI(1, b.c_str()), 0);
        if (std::time(nullptr) != before) {
            run("UPDATE Patient_Information SET N0 = NULL, N1 = NULL");
            continue;
        }
        EXPECT_EQ(slot(0), slot(1));
        EXPECT_EQ(recall(timeText(slot(0))), b);
        ASSERT_EQ(LRecordRIREKIDELL(1, keyText(slot(0)).c_str()), 0);
        EXPECT_EQ(slot(0), "<null>");
        EXPECT_EQ(block(1), b);
        return;
    }
    FAIL() << "no two stores fell within one second";
}

TEST_F(HistoryTest, UnknownPatientsAndPatientsWithoutHistoryChangeNothing) {
    const std::string text = blockText("X");
    EXPECT_EQ(LRecordRIREKI(2, text.c_str()), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM Patient_Information WHERE N0 IS NOT NULL"), "0");
    EXPECT_TRUE(dates(2).empty());
    EXPECT_TRUE(dates(1).empty());
    std::string out(kBlock + 1, '#');
    EXPECT_EQ(LRecordRIREKIDisplay(1, "2009/03/07 09:05:03", out.data()), 0);
    EXPECT_EQ(LRecordRIREKIDisplay(2, "2009/03/07 09:05:03", out.data()), 0);
    EXPECT_EQ(out, std::string(kBlock + 1, '#'));
    EXPECT_EQ(LRecordRIREKIDELL(2, "2009/03/07 9:05:03"), 0);
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(HistoryTest, AHistoryTextOfTheWrongLengthIsRefused) {
    for (std::size_t length : {std::size_t{0}, kBlock - 1, kBlock + 1}) {
        const std::string text(length, '$');
        EXPECT_EQ(LRecordRIREKI(1, text.c_str()), 99);
    }
    EXPECT_EQ(LRecordRIREKI(1, nullptr), 99);
    EXPECT_EQ(messages.list, std::vector<std::string>(4, "Error:RIREKI.Length"));
    EXPECT_EQ(slot(0), "<null>");
}

TEST_F(HistoryTest, OddStoredSlotsNeitherOverrunTheBufferNorCountAsStamps) {
    // A block longer than a block, and a stamp that is not a date, as another tool could leave.
    run("UPDATE Patient_Information SET N0 = 'yesterday', INFO0 = x'41', "
        "N1 = '2022-02-02 22:22:22', INFO1 = zeroblob(5000)");
    EXPECT_EQ(dates(), std::vector<std::string>{"2022年02月02日 22:22:22"});
    auto out = std::make_unique<char[]>(kBlock + 1);  // exactly the promised room
    EXPECT_EQ(LRecordRIREKIDisplay(1, "2022/02/02 22:22:22", out.get()), 1);
    const std::string text = blockText("FIRST");
    ASSERT_EQ(LRecordRIREKI(1, text.c_str()), 0);
    EXPECT_EQ(block(0), text);
}
