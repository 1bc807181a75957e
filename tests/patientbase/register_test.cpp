#include <climits>
#include <ctime>

#include "patient_fixture.h"

namespace {

PatientRecord fullRecord(int id) {
    PatientRecord r = patient(id, "山田 太郎");
    r.SEX = 1;
    r.NENGO = 3;
    r.YEAR = 45;
    r.MONTH = 3;
    r.DAY = 7;
    SET(r, TELEPHONE, "03-1234-5678");
    SET(r, TELEPHONE2, "090-1111-2222");
    SET(r, ADDRESS, "東京都千代田区1-1");
    SET(r, BYOUTO, "東病棟");
    SET(r, ALLERGY, "ペニシリン");
    SET(r, EFFECT, "発疹");
    SET(r, MEMO, "やまだ たろう");
    return r;
}

std::string localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

}  // namespace

TEST_F(PatientFileTest, CreateAndDetailRoundTripEveryFieldAndLeaveTheRestAlone) {
    const PatientRecord written = fullRecord(7);
    const std::string before = localNow();
    ASSERT_EQ(LRecordCreate(&written), 0);
    const std::string regist = stored("SELECT REGIST FROM Patient_Information");
    EXPECT_GE(regist, before);
    EXPECT_LE(regist, localNow());
    EXPECT_EQ(stored("SELECT N0 FROM Patient_Information"), "<null>");

    // The caller's area beyond the record stays as it was.
    struct {
        PatientRecord record;
        char callers[64];
    } area;
    std::memset(&area, 0x5A, sizeof area);
    ASSERT_EQ(LRecordDetail(&area.record, "", 7, 1), 0);
    EXPECT_EQ(std::memcmp(&area.record, &written, offsetof(PatientRecord, MEMO) + 250), 0);
    EXPECT_EQ(area.callers[0], 0x5A);
    EXPECT_EQ(area.callers[63], 0x5A);

    // By name: exact, whole-name match only.
    PatientRecord byName{};
    ASSERT_EQ(LRecordDetail(&byName, written.PATIENT, 0, 0), 0);
    EXPECT_EQ(byName.ID, 7);
    PatientRecord untouched = patient(-5, "そのまま");
    const std::string part = sjis::fromUtf8("山田");
    ASSERT_EQ(LRecordDetail(&untouched, part.c_str(), 0, 0), 0);
    ASSERT_EQ(LRecordDetail(&untouched, "", 8, 1), 0);
    EXPECT_EQ(untouched.ID, -5);
    EXPECT_EQ(utf8(untouched.PATIENT), "そのまま");
}

TEST_F(PatientFileTest, EmptyTextsAreStoredAsNullAndReadBackEmpty) {
    PatientRecord r = fullRecord(1);
    ASSERT_EQ(LRecordCreate(&r), 0);
    r.TELEPHONE2[0] = '\0';
    r.MEMO[0] = '\0';
    ASSERT_EQ(LRecordEdit(&r, 1), 0);
    EXPECT_EQ(stored("SELECT TELEPHONE2 FROM Patient_Information"), "<null>");
    EXPECT_EQ(stored("SELECT MEMO FROM Patient_Information"), "<null>");
    PatientRecord back = fullRecord(0);
    ASSERT_EQ(LRecordDetail(&back, "", 1, 1), 0);
    EXPECT_EQ(utf8(back.TELEPHONE2), "");
    EXPECT_EQ(utf8(back.MEMO), "");
    EXPECT_EQ(utf8(back.TELEPHONE), "03-1234-5678");
}

TEST_F(PatientFileTest, TextsAreBoundedByTheirFieldsBothWays) {
    // An unterminated name field of 50 kana is stored cut to 49: the 99th byte would split one.
    PatientRecord r = patient(1, "");
    const std::string kana = sjis::fromUtf8("ア");
    for (std::size_t i = 0; i < sizeof r.PATIENT; i += 2)
        std::memcpy(r.PATIENT + i, kana.data(), 2);
    ASSERT_EQ(LRecordCreate(&r), 0);
    PatientRecord back{};
    ASSERT_EQ(LRecordDetail(&back, "", 1, 1), 0);
    EXPECT_EQ(std::strlen(back.PATIENT), 98u);

    // Values longer than their fields, as another tool could write them, are cut on reading.
    run("UPDATE Patient_Information SET PATIENT = '" + std::string(300, 'n') + "', BYOUTO = '" +
        std::string(200, 'b') + "' || '" + std::string(100, 'B') + "'");
    PatientRecord longer{};
    ASSERT_EQ(LRecordDetail(&longer, "", 1, 1), 0);
    EXPECT_EQ(std::string(longer.PATIENT), std::string(99, 'n'));
    EXPECT_EQ(std::strlen(longer.BYOUTO), 249u);
    char name[256];
    ASSERT_EQ(LRecordID_CLIENT(1, name), 0);
    EXPECT_EQ(std::string(name), std::string(255, 'n'));
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(PatientFileTest, DuplicateIdsAreRefusedByCreateAndEdit) {
    create(1, "一郎");
    create(2, "二郎");
    const PatientRecord again = patient(1, "別人");
    EXPECT_EQ(LRecordCreate(&again), 1);
    PatientRecord moved = patient(2, "一郎");
    EXPECT_EQ(LRecordEdit(&moved, 1), 99);
    EXPECT_EQ(messages.list,
              (std::vector<std::string>{"Error:ID.Duplicate", "Error:ID.Duplicate"}));
    EXPECT_EQ(stored("SELECT count(*) FROM Patient_Information"), "2");
    EXPECT_EQ(stored("SELECT PATIENT FROM Patient_Information WHERE ID = 1"), "一郎");

    // Keeping its own ID is no duplicate.
    PatientRecord renamed = patient(2, "次郎");
    EXPECT_EQ(LRecordEdit(&renamed, 2), 0);
    EXPECT_EQ(stored("SELECT PATIENT FROM Patient_Information WHERE ID = 2"), "次郎");
}

TEST_F(PatientFileTest, EditChangesTheIdKeepsTheHistoryAndMovesTheStamp) {
    create(7, "七海");
    run("UPDATE Patient_Information SET REGIST = '2001-01-01 00:00:00', "
        "N4 = '2010-05-05 10:00:00', INFO4 = x'2424'");
    PatientRecord r = fullRecord(9);
    ASSERT_EQ(LRecordEdit(&r, 7), 0);
    EXPECT_EQ(stored("SELECT group_concat(ID) FROM Patient_Information"), "9");
    EXPECT_EQ(stored("SELECT N4 || hex(INFO4) FROM Patient_Information"),
              "2010-05-05 10:00:002424");
    EXPECT_GT(stored("SELECT REGIST FROM Patient_Information"), "2001-01-01 00:00:00");

    // No row with the old ID: nothing changes.
    PatientRecord other = patient(3, "三");
    EXPECT_EQ(LRecordEdit(&other, 7), 0);
    EXPECT_EQ(stored("SELECT group_concat(ID) FROM Patient_Information"), "9");
}

TEST_F(PatientFileTest, DeleteRemovesOnlyTheFirstPatientWithTheId) {
    create(1, "一");
    create(2, "二");
    EXPECT_EQ(LRecordDell(5), 0);
    EXPECT_EQ(LRecordDell(1), 0);
    EXPECT_EQ(stored("SELECT group_concat(ID) FROM Patient_Information"), "2");
    // A file from elsewhere with a repeated ID loses one row per call.
    run("INSERT INTO Patient_Information (ID, PATIENT) VALUES (2, 'b')");
    EXPECT_EQ(LRecordDell(2), 0);
    EXPECT_EQ(stored("SELECT PATIENT FROM Patient_Information"), "b");
}

TEST_F(PatientFileTest, CreateIdProposesTheFirstFreePositiveId) {
    EXPECT_EQ(LRecordCreateID(), 1);
    for (int id : {1, 2, 3, 4, 5}) create(id, "p");
    EXPECT_EQ(LRecordCreateID(), 6);
    for (int id : {2, 4, 5}) ASSERT_EQ(LRecordDell(id), 0);
    EXPECT_EQ(LRecordCreateID(), 2);
    ASSERT_EQ(LRecordDell(1), 0);
    EXPECT_EQ(LRecordCreateID(), 1);  // lowest ID is 3
    // Zero, negative and repeated IDs in a file from elsewhere never make it propose a used ID.
    run("INSERT INTO Patient_Information (ID) VALUES (0), (-4), (1), (1), (2)");
    EXPECT_EQ(LRecordCreateID(), 4);
}

TEST_F(PatientFileTest, IdChecksNamesAndPositions) {
    for (int id : {10, 3, 7}) create(id, "患者" + std::to_string(id));
    EXPECT_EQ(LRecordID_cyoufuku(7), -1);
    EXPECT_EQ(LRecordNo(3), 1);
    EXPECT_EQ(LRecordNo(10), 3);
    char name[256];
    std::strcpy(name, "keep");
    EXPECT_EQ(LRecordID_CLIENT(7, name), 0);
    EXPECT_EQ(utf8(name), "患者7");
    for (int id : {0, -1, INT_MIN, INT_MAX, 8}) {
        EXPECT_EQ(LRecordID_cyoufuku(id), 0);
        EXPECT_EQ(LRecordNo(id), 0);
        std::strcpy(name, "keep");
        EXPECT_EQ(LRecordID_CLIENT(id, name), 0);
        EXPECT_STREQ(name, "keep");
    }
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(PatientFileTest, DisplayListsByIdOrByName) {
    create(3, "たなか");
    create(1, "あべ");
    create(2, "たなか");
    create(10, "O'Brien");
    ViewCollector byId, byName;
    ASSERT_EQ(LRecordDisplay(0, &byId.sink), 0);
    ASSERT_EQ(LRecordDisplay(1, &byName.sink), 0);
    EXPECT_EQ(byId.rows,
              (std::vector<std::string>{"1:あべ", "2:たなか", "3:たなか", "10:O'Brien"}));
    EXPECT_EQ(byName.rows,
              (std::vector<std::string>{"10:O'Brien", "1:あべ", "2:たなか", "3:たなか"}));

    // A quoted name finds its patient by name.
    PatientRecord r{};
    ASSERT_EQ(LRecordDetail(&r, "O'Brien", 0, 0), 0);
    EXPECT_EQ(r.ID, 10);
}
