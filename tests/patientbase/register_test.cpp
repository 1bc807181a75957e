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

INSTANTIATE_ON_BOTH_ENGINES(RegisterTest);

TEST_P(RegisterTest, CreateAndDetailRoundTripEveryFieldAndNothingBeyond) {
    const PatientRecord written = fullRecord(7);
    const std::string before = localNow();
    ASSERT_EQ(LRecordCreate(&written), 0);
    const std::string regist = stored("SELECT REGIST FROM Patient_Information");
    EXPECT_TRUE(regist >= before && regist <= localNow()) << regist;
    EXPECT_EQ(stored("SELECT N0 FROM Patient_Information"), "<null>");

    struct {
        PatientRecord record;
        char callers[8];
    } area;
    std::memset(&area, 0x5A, sizeof area);
    ASSERT_EQ(LRecordDetail(&area.record, "", 7, 1), 0);
    EXPECT_EQ(std::memcmp(&area.record, &written, offsetof(PatientRecord, MEMO) + 250), 0);
    EXPECT_EQ(std::string(area.callers, 8), std::string(8, 0x5A));

    // By name only an exact, whole-name match; not found leaves the record as it was.
    PatientRecord r = patient(-5, "そのまま");
    const std::string part = sjis::fromUtf8("山田");
    ASSERT_EQ(LRecordDetail(&r, part.c_str(), 0, 0), 0);
    ASSERT_EQ(LRecordDetail(&r, "", 8, 1), 0);
    EXPECT_EQ(r.ID, -5);
    create(3, "山田 太郎");  // the same name registered later: the first registered is found
    ASSERT_EQ(LRecordDetail(&r, written.PATIENT, 0, 0), 0);
    EXPECT_EQ(r.ID, 7);
}

TEST_P(RegisterTest, TextsAreBoundedByTheirFieldsBothWays) {
    // An unterminated name field of 50 kana is stored cut to 49: the 99th byte would split one.
    PatientRecord r = patient(1, "");
    const std::string kana = sjis::fromUtf8("ア");
    for (std::size_t i = 0; i < sizeof r.PATIENT; i += 2)
        std::memcpy(r.PATIENT + i, kana.data(), 2);
    ASSERT_EQ(LRecordCreate(&r), 0);
    EXPECT_EQ(stored("SELECT length(PATIENT) FROM Patient_Information"), "49");
    PatientRecord back{};
    ASSERT_EQ(LRecordDetail(&back, "", 1, 1), 0);
    EXPECT_EQ(std::strlen(back.PATIENT), 98u);

    // Values longer than their fields, as another tool could write them, are cut on reading.
    run("UPDATE Patient_Information SET PATIENT = '" + std::string(300, 'n') + "', BYOUTO = '" +
        std::string(300, 'b') + "'");
    ASSERT_EQ(LRecordDetail(&back, "", 1, 1), 0);
    EXPECT_EQ(std::string(back.PATIENT), std::string(99, 'n'));
    EXPECT_EQ(std::string(back.BYOUTO), std::string(249, 'b'));
    char name[256];
    ASSERT_EQ(LRecordID_CLIENT(1, name), 0);
    EXPECT_EQ(std::string(name), std::string(255, 'n'));
}

TEST_P(RegisterTest, DuplicateIdsAreRefusedByCreateAndEdit) {
    create(1, "一郎");
    create(2, "二郎");
    const PatientRecord again = patient(1, "別人");
    EXPECT_EQ(LRecordCreate(&again), 1);
    PatientRecord moved = patient(2, "一郎");
    EXPECT_EQ(LRecordEdit(&moved, 1), 99);
    EXPECT_EQ(messages, Lines(2, "Error:ID.Duplicate"));
    EXPECT_EQ(stored("SELECT " + data.listOf("ID || PATIENT") + " FROM Patient_Information"),
              "1一郎,2二郎");

    PatientRecord renamed = patient(2, "次郎");  // keeping its own ID is no duplicate
    EXPECT_EQ(LRecordEdit(&renamed, 2), 0);
    EXPECT_EQ(stored("SELECT PATIENT FROM Patient_Information WHERE ID = 2"), "次郎");
}

TEST_P(RegisterTest, EditChangesTheIdKeepsTheHistoryAndStoresEmptyTextsAsNull) {
    PatientRecord r = fullRecord(7);
    ASSERT_EQ(LRecordCreate(&r), 0);
    run("UPDATE Patient_Information SET REGIST = '2001-01-01 00:00:00', "
        "N4 = '2010-05-05 10:00:00', INFO4 = ?",
        {"$$"});
    r.ID = 9;
    r.TELEPHONE2[0] = '\0';
    ASSERT_EQ(LRecordEdit(&r, 7), 0);
    EXPECT_EQ(stored("SELECT " + data.listOf("ID") + " FROM Patient_Information"), "9");
    EXPECT_EQ(stored("SELECT N4 FROM Patient_Information"), "2010-05-05 10:00:00");
    EXPECT_EQ(stored("SELECT INFO4 FROM Patient_Information"), "$$");
    EXPECT_GT(stored("SELECT REGIST FROM Patient_Information"), "2001-01-01 00:00:00");
    EXPECT_EQ(stored("SELECT TELEPHONE2 FROM Patient_Information"), "<null>");
    PatientRecord back = fullRecord(0);
    ASSERT_EQ(LRecordDetail(&back, "", 9, 1), 0);
    EXPECT_EQ(text(back.TELEPHONE2), "");

    PatientRecord other = patient(3, "三");  // no row with the old ID: nothing changes
    EXPECT_EQ(LRecordEdit(&other, 7), 0);
    EXPECT_EQ(stored("SELECT " + data.listOf("ID") + " FROM Patient_Information"), "9");
}

TEST_P(RegisterTest, DeleteRemovesTheFirstPatientWithTheIdAndItIsNeverProposedAgain) {
    EXPECT_EQ(LRecordCreateID(), 1);
    for (int id : {1, 2, 3, 4, 5}) create(id, "p");
    run("INSERT INTO Patient_Information (ID, PATIENT) VALUES (2, 'b')");  // from elsewhere
    EXPECT_EQ(LRecordCreateID(), 6);
    for (int id : {9, 2, 4, 5}) ASSERT_EQ(LRecordDell(id), 0);
    EXPECT_EQ(stored("SELECT " + data.listOf("ID || PATIENT") +
                     " FROM (SELECT * FROM Patient_Information ORDER BY ID) AS sorted"),
              "1p,2b,3p");
    // Deleted IDs and the former ID of a renumbered patient stay used.
    const PatientRecord renumbered = patient(7, "p");
    ASSERT_EQ(LRecordEdit(&renumbered, 3), 0);
    ASSERT_EQ(LRecordDell(7), 0);
    EXPECT_EQ(LRecordCreateID(), 8);
    struct Case {
        const char* name;
        int id, used;
    };
    for (const Case& c : {Case{"registered", 1, 1},
                          {"deleted", 5, 1},
                          {"renumbered from", 3, 1},
                          {"renumbered to and deleted", 7, 1},
                          {"skipped", 6, 0},
                          {"zero", 0, 0},
                          {"above", 8, 0},
                          {"asked to delete, never had", 9, 0}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LRecordIDUsed(c.id), c.used);
    }
    // An ID written from elsewhere counts too; zero and negative IDs never lower the proposal.
    run("INSERT INTO Patient_Information (ID) VALUES (0), (-4), (20)");
    EXPECT_EQ(LRecordCreateID(), 21);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PatientFileTest, AFileWithoutUsedIdsKeepsTheIdsOfItsPatientsFromItsFirstChangeOn) {
    for (int id : {1, 2, 3}) create(id, "p");
    const PatientRecord renumbered = patient(5, "p");
    run("DROP TABLE Patient_UsedID");  // a file made before the IDs were kept
    ASSERT_EQ(LRecordDell(2), 0);
    EXPECT_EQ(LRecordIDUsed(2), 1);
    run("DROP TABLE Patient_UsedID");
    ASSERT_EQ(LRecordEdit(&renumbered, 3), 0);
    EXPECT_EQ(LRecordIDUsed(3), 1);
    EXPECT_EQ(LRecordCreateID(), 6);
    EXPECT_TRUE(messages.empty());
}

// Both lists, the ID checks and look-ups; the reading (MEMO) orders the name list and is found by
// the name search in any kana script.
TEST_P(RegisterTest, ListsIdChecksAndTheReadingInAnyScript) {
    for (const auto& [id, name, reading] : {std::tuple{5, "見本 一郎", "ミホン イチロウ"},
                                            {1, "見本 一郎", "みほん　いちろう"},
                                            {4, "青木", " "},
                                            {3, "佐藤 花子", "サトウ ハナコ"},
                                            {2, "阿部 太郎", "ｱﾍﾞ ﾀﾛｳ"},
                                            {7, "みほん", ""},
                                            {8, "本田", "東"},
                                            {10, "O'Brien", ""}}) {
        PatientRecord r = patient(id, name);
        SET(r, MEMO, reading);
        ASSERT_EQ(LRecordCreate(&r), 0);
    }
    ViewCollector byName, byId;
    ASSERT_EQ(LRecordDisplay(1, &byName.sink), 0);
    EXPECT_EQ(byName.texts(), (Lines{"2:阿部 太郎", "3:佐藤 花子", "1:見本 一郎", "5:見本 一郎",
                                     "8:本田", "10:O'Brien", "7:みほん", "4:青木"}));
    ASSERT_EQ(LRecordDisplay(0, &byId.sink), 0);
    EXPECT_EQ(byId.texts().front() + byId.texts().back(), "1:見本 一郎10:O'Brien");
    struct Case {
        const char* name;
        const char* typed;
        Lines ids;
    } cases[] = {
        {"hiragana finds every script, and the name", "みほん", {"1", "5", "7"}},
        {"katakana", "ミホン", {"1", "5"}},
        {"voiced half-width", "ｱﾍﾞ", {"2"}},
        {"a name that is not kana never searches the memo", "東", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char texts[4][256] = {};
        setText(texts[0], 256, c.typed);
        ListCollector ids;
        ASSERT_EQ(LRecordGOKU(&texts[0][0], nullptr, nullptr, &ids.sink, nullptr), 0);
        EXPECT_EQ(ids.items, c.ids);
    }
    EXPECT_EQ(LRecordID_cyoufuku(2), -1);
    EXPECT_EQ(LRecordNo(1) + 10 * LRecordNo(10), 81) << "positions in the ID list";
    char name[256] = "keep";
    EXPECT_EQ(LRecordID_CLIENT(10, name), 0);
    EXPECT_STREQ(name, "O'Brien");
    for (int id : {0, -1, INT_MIN, INT_MAX, 9}) {
        std::strcpy(name, "keep");
        EXPECT_EQ(LRecordID_cyoufuku(id) + LRecordNo(id) + LRecordID_CLIENT(id, name), 0);
        EXPECT_STREQ(name, "keep");
    }
    PatientRecord r{};
    ASSERT_EQ(LRecordDetail(&r, "O'Brien", 0, 0), 0);
    EXPECT_EQ(r.ID, 10);
    EXPECT_TRUE(messages.empty());
}
