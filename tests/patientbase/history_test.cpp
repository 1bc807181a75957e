#include <chrono>
#include <thread>

#include "patient_fixture.h"
#include "stamp_text.h"

namespace {

class HistoryTest : public OnEachEngine<PatientFileTest> {
  protected:
    void SetUp() override {
        PatientFileTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        create(1, "薬歴 太郎");
    }

    // Plants a full set of slots on distinct days, slot `oldest` on the earliest, each with a
    // block naming its slot.
    void plantFullSet(int oldest) {
        std::string sql = "UPDATE Patient_Information SET ";
        std::vector<std::string> blocks;
        for (int i = 0; i < 20; ++i) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "2020-01-%02d 10:00:00", i == oldest ? 1 : i + 2);
            sql += (i ? ", N" : "N") + std::to_string(i) + " = '" + stamp + "', INFO" +
                   std::to_string(i) + " = ?";
            blocks.push_back(historyBlock("SLOT" + std::to_string(i)));
        }
        run(sql, blocks);
    }

    std::string slot(int i) const {
        return stored("SELECT N" + std::to_string(i) + " FROM Patient_Information");
    }
    std::string block(int i) const {
        return stored("SELECT INFO" + std::to_string(i) + " FROM Patient_Information");
    }
    Lines dates(int id = 1) const {
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
    std::string timeText(int i) const {
        return patientbase::slotTimeText(*patientbase::parseStored(slot(i)));
    }
};

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(HistoryTest);

TEST_P(HistoryTest, StoresFillTheSlotsInOrderComeBackIdenticalAndAreCountedByDrug) {
    const std::string first = historyBlock("1124017F1020"), second = historyBlock("2149039F1030");
    ASSERT_EQ(LRecordRIREKI(1, first.c_str()), 0);
    EXPECT_EQ(block(0), first);
    EXPECT_EQ(slot(1), "<null>");
    ASSERT_EQ(LRecordRIREKI(1, second.c_str()), 0);
    EXPECT_EQ(block(1), second);
    if (!data.onServer()) {  // a file's column takes any type; the server's holds bytes only
        EXPECT_EQ(stored("SELECT typeof(INFO1) FROM Patient_Information"), "blob");
    }
    EXPECT_EQ(recall(timeText(1)), second);
    EXPECT_EQ(dates().size(), 2u);

    // Leaflets are counted by drug over every patient: a drug in any record, by its whole code.
    create(2, "別の 患者");
    std::string later = historyBlock("1124017F10");
    later.replace(2 * 137, 12, "2149039F1030");
    ASSERT_EQ(LRecordRIREKI(2, later.c_str()), 0);
    struct Case {
        const char* name;
        const char* code;
        int32_t count;
    };
    for (const Case& c : {Case{"first and later records", "2149039F1030", 2},
                          {"a shorter code of its own", "1124017F10", 1},
                          {"part of a code", "1124017F1", 0},
                          {"a text inside a record", "1日3回", 0}}) {
        SCOPED_TRACE(c.name);
        int32_t count = -1;
        ASSERT_EQ(LRecordRIREKIUses(sjis::fromUtf8(c.code).c_str(), &count), 0);
        EXPECT_EQ(count, c.count);
    }
}

TEST_P(HistoryTest, ACheckedStoreLandsOnlyWithThePatientRegisteredUnderThatIdAndName) {
    const std::string leaflet = historyBlock("1124017F1020");
    create(2, "別の 患者");
    struct Case {
        const char* name;
        int id;
        const char* patient;
        int result;
    };
    for (const Case& c : {Case{"another name", 1, "薬歴 次郎", PATIENTBASE_NAME_DIFFERS},
                          {"part of the name", 1, "薬歴 太", PATIENTBASE_NAME_DIFFERS},
                          {"another patient's ID", 2, "薬歴 太郎", PATIENTBASE_NAME_DIFFERS},
                          {"an unregistered ID", 9, "薬歴 太郎", PATIENTBASE_NO_PATIENT}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LRecordRIREKIChecked(c.id, sjis::fromUtf8(c.patient).c_str(), leaflet.c_str()),
                  c.result);
    }
    const PatientRecord renumbered = patient(3, "薬歴 太郎");
    ASSERT_EQ(LRecordEdit(&renumbered, 1), 0);
    ASSERT_EQ(LRecordRIREKIChecked(3, renumbered.PATIENT, leaflet.c_str()), PATIENTBASE_OK);
    EXPECT_TRUE(stored("SELECT INFO0 FROM Patient_Information WHERE ID = 3") == leaflet);
    EXPECT_EQ(stored("SELECT count(N0) + count(N1) FROM Patient_Information"), "1");
    EXPECT_TRUE(messages.empty());
}

TEST_P(HistoryTest, AnEmptiedSlotIsReusedBeforeTheOldestIsLostAndStampsFollowTheNewest) {
    plantFullSet(13);
    // Slot 5 was stored by a terminal whose clock was ahead of this one.
    run("UPDATE Patient_Information SET N5 = '2099-12-31 23:59:58'");
    ASSERT_EQ(LRecordRIREKIDELL(1, "2020/01/05 10:00:00"), 0);  // slot 3
    EXPECT_EQ(slot(3) + block(3), "<null><null>");
    EXPECT_EQ(dates().size(), 19u);
    const std::string again = historyBlock("AGAIN"), newest = historyBlock("NEWEST");
    ASSERT_EQ(LRecordRIREKI(1, again.c_str()), 0);
    EXPECT_EQ(block(3), again);
    EXPECT_EQ(block(13), historyBlock("SLOT13"));    // the oldest is kept while a slot is empty
    ASSERT_EQ(LRecordRIREKI(1, newest.c_str()), 0);  // within the same second as the first
    EXPECT_EQ(block(13), newest);
    for (int i : {0, 5, 12, 14, 19}) EXPECT_EQ(block(i), historyBlock("SLOT" + std::to_string(i)));
    const Lines list = dates();
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(
        (Lines{list[0], list[1], list[2], list[3], list[19]}),
        (Lines{"2100年01月01日 00:00:00", "2099年12月31日 23:59:59", "2099年12月31日 23:59:58",
               "2020年01月21日 10:00:00", "2020年01月02日 10:00:00"}));
}

TEST_P(HistoryTest, LeafletsSharingAMorningStampAreReachedByItsFormsAndBySlot) {
    // Stored by hand as older programs did: slots 2 and 7 share a stamp; slot 4 is older.
    run("UPDATE Patient_Information SET N2 = '2021-06-01 09:05:03', INFO2 = ?, "
        "N7 = '2021-06-01 09:05:03', INFO7 = ?, N4 = '2021-05-01 08:00:00', INFO4 = ?",
        {historyBlock("TWO"), historyBlock("SEVEN"), historyBlock("FOUR")});
    ViewCollector rows;
    ASSERT_EQ(LRecordRIREKISlots(1, &rows.sink), 0);
    EXPECT_EQ(rows.texts(), (Lines{"2021年06月01日 09:05:03:2", "2021年06月01日 09:05:03:7",
                                   "2021年05月01日 08:00:00:4"}));
    const char *time = "2021/06/01 09:05:03", *key = "2021/06/01 9:05:03";
    // By stamp alone as before: recall by the time text finds the higher slot.
    EXPECT_EQ(recall(time), historyBlock("SEVEN"));
    EXPECT_EQ(recall(key), "<none>");
    std::string out(kBlock + 1, '#');
    struct Case {
        const char* name;
        int slot;
        const char* time;
        int found;
    };
    for (const Case& c : {Case{"the lower of two", 2, time, 1},
                          {"the key text", 2, key, 0},
                          {"another stamp than listed", 4, time, 0},
                          {"an empty slot", 3, time, 0},
                          {"no slot", 20, time, 0}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LRecordRIREKIDisplaySlot(1, c.slot, c.time, out.data()), c.found);
        EXPECT_EQ(LRecordRIREKIDELLSlot(9, c.slot, c.time), 0) << "no such patient";
    }
    EXPECT_EQ(out.c_str(), historyBlock("TWO"));
    // By stamp alone as before: deletion takes the key text and empties the lowest slot.
    ASSERT_EQ(LRecordRIREKIDELL(1, time), 0);
    EXPECT_EQ(slot(2), "2021-06-01 09:05:03");
    ASSERT_EQ(LRecordRIREKIDELL(1, key), 0);
    EXPECT_EQ(slot(2) + block(7), "<null>" + historyBlock("SEVEN"));
    ASSERT_EQ(LRecordRIREKIDELLSlot(1, 7, time), 1);
    EXPECT_EQ(LRecordRIREKIDELLSlot(1, 7, time), 0);
    EXPECT_EQ(slot(7) + slot(4), "<null>2021-05-01 08:00:00");
    EXPECT_TRUE(messages.empty());
}

TEST_P(HistoryTest, UnknownPatientsEmptyHistoriesAndTextsOfTheWrongLengthChangeNothing) {
    const std::string text = historyBlock("X");
    EXPECT_EQ(LRecordRIREKI(2, text.c_str()), 0);
    EXPECT_EQ(slot(0), "<null>");
    EXPECT_TRUE(dates(2).empty());
    EXPECT_TRUE(dates(1).empty());
    EXPECT_EQ(recall("2009/03/07 09:05:03"), "<none>");
    std::string out(kBlock + 1, '#');
    EXPECT_EQ(LRecordRIREKIDisplay(2, "2009/03/07 09:05:03", out.data()), 0);
    EXPECT_EQ(out, std::string(kBlock + 1, '#'));
    EXPECT_EQ(LRecordRIREKIDELL(2, "2009/03/07 9:05:03"), 0);
    EXPECT_TRUE(messages.empty());
    // A history text of the wrong length is refused.
    for (std::size_t length : {std::size_t{0}, kBlock - 1, kBlock + 1})
        EXPECT_EQ(LRecordRIREKI(1, std::string(length, '$').c_str()), 99);
    EXPECT_EQ(LRecordRIREKI(1, nullptr), 99);
    EXPECT_EQ(messages, Lines(4, "Error:RIREKI.Length"));
    EXPECT_EQ(slot(0), "<null>");
}

TEST_P(HistoryTest, OddStoredSlotsNeitherOverrunTheBufferNorCountAsStamps) {
    // A block longer than a block, and a stamp that is not a date, as another tool could leave.
    run("UPDATE Patient_Information SET N0 = 'yesterday', INFO0 = ?, "
        "N1 = '2022-02-02 22:22:22', INFO1 = ?",
        {"A", std::string(5000, '\0')});
    EXPECT_EQ(dates(), Lines{"2022年02月02日 22:22:22"});
    auto out = std::make_unique<char[]>(kBlock + 1);  // exactly the promised room
    EXPECT_EQ(LRecordRIREKIDisplay(1, "2022/02/02 22:22:22", out.get()), 1);
    const std::string text = historyBlock("FIRST");
    ASSERT_EQ(LRecordRIREKI(1, text.c_str()), 0);
    EXPECT_EQ(block(0), text);
}
