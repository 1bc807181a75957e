// What the register's calls answer when its file is missing or lacks the table; how a file
// that cannot be opened fails is the data-call layer's (tests/dbcall).
#include "patient_fixture.h"

TEST(Connection, WithoutTheFileOrASessionEveryCallFailsToOpen) {
    TempDir dir;
    MessageCollector m;
    EXPECT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    ViewCollector view;
    const PatientRecord r = patient(1, "山田");
    EXPECT_EQ(LRecordDisplay(0, &view.sink), 99);
    EXPECT_EQ(LRecordCreate(&r), 1);
    EXPECT_EQ(m.list,
              (Lines{"患者ファイルがありません。", "Error:DATABASE.Open", "Error:DATABASE.Open"}));
    EXPECT_TRUE(view.rows.empty());

    // A file that appears later is used only from the next LRecordOpen to LRecordClose.
    ASSERT_TRUE(patientbase::createPatientDatabase(dir.path(), nullptr));
    EXPECT_EQ(LRecordID_cyoufuku(1), 99);
    ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(LRecordID_cyoufuku(1), 0);
    LRecordClose();
    EXPECT_EQ(LRecordID_cyoufuku(1), 99);
    EXPECT_EQ(m.list.size(), 5u);
}

TEST(Connection, MissingTableFailsAtTheRecordsetOpen) {
    TempDir dir;
    ASSERT_TRUE(sqlkit::createEncrypted(dir.path() / "患者ファイル.mdb", "HN%tPQS",
                                        "CREATE TABLE other (x)", nullptr));
    MessageCollector m;
    ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    const PatientRecord r = patient(1, "山田");
    EXPECT_EQ(LRecordDetail(nullptr, "", 1, 1), 99);
    EXPECT_EQ(LRecordCreate(&r), 1);
    EXPECT_EQ(LRecordEdit(&r, 1), 99);
    EXPECT_EQ(m.list, (Lines{"Error:Could not RECORDSET.Open", "Error:RECORDSET.Open",
                             "Error:Could not RECORDSET.Open"}));
    LRecordClose();
}

TEST_P(RegisterTest, WritesTheEngineRejectsAreReportedAndStoreNothing) {
    create(1, "一");
    run(data.refusal("Patient_Information", "UPDATE"));
    run(data.refusal("Patient_Information", "INSERT"));
    const PatientRecord r = patient(2, "二");
    EXPECT_EQ(LRecordCreate(&r), 1);
    EXPECT_EQ(LRecordEdit(&r, 1), 99);
    EXPECT_EQ(LRecordRIREKI(1, historyBlock("X").c_str()), 99);
    EXPECT_EQ(messages, Lines(3, "Error:RECORDSET.Update"));
    EXPECT_EQ(stored("SELECT " + data.listOf("ID || PATIENT || coalesce(N0, '')") +
                     " FROM Patient_Information"),
              "1一");
}
