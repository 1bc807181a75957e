#include <fstream>

#include "patient_fixture.h"

TEST(Connection, MissingFileIsReportedOnceAndEveryCallFailsToOpen) {
    TempDir dir;
    MessageCollector m;
    EXPECT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(m.list, std::vector<std::string>{"患者ファイルがありません。"});

    ViewCollector view;
    PatientRecord r = patient(1, "山田");
    EXPECT_EQ(LRecordDisplay(0, &view.sink), 99);
    EXPECT_EQ(LRecordCreate(&r), 1);
    EXPECT_EQ(LRecordRIREKIDELL(1, "x"), 99);
    EXPECT_EQ(m.list, (std::vector<std::string>{"患者ファイルがありません。", "Error:DATABASE.Open",
                                                "Error:DATABASE.Open", "Error:DATABASE.Open"}));
    EXPECT_TRUE(view.rows.empty());
    LRecordClose();
}

TEST(Connection, CallsFailBeforeOpenAndAfterClose) {
    TempDir dir;
    ASSERT_TRUE(patientbase::createPatientDatabase(dir.path(), nullptr));
    MessageCollector m;
    LRecordClose();
    EXPECT_EQ(LRecordID_cyoufuku(1), 99);
    ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(LRecordID_cyoufuku(1), 0);
    LRecordClose();
    EXPECT_EQ(LRecordID_cyoufuku(1), 99);
    EXPECT_EQ(m.list, (std::vector<std::string>{"Error:DATABASE.Open", "Error:DATABASE.Open"}));
}

TEST(Connection, UnreadableOrWronglyKeyedFilesFailAtTheDatabaseOpen) {
    TempDir dir;
    const auto file = dir.path() / "患者ファイル.mdb";
    std::ofstream(file, std::ios::binary) << "not a database, but longer than a salt";
    {
        MessageCollector m;
        ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
        EXPECT_EQ(LRecordCreateID(), 99);
        EXPECT_EQ(m.list, std::vector<std::string>{"Error:DATABASE.Open"});
    }
    std::filesystem::remove(file);
    ASSERT_TRUE(sqlkit::createEncrypted(file, "another", "CREATE TABLE t (x)", nullptr));
    MessageCollector m;
    ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(LRecordRIREKIDate(1, nullptr), 99);
    EXPECT_EQ(m.list, std::vector<std::string>{"Error:DATABASE.Open"});
    LRecordClose();
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
    EXPECT_EQ(m.list,
              (std::vector<std::string>{"Error:Could not RECORDSET.Open", "Error:RECORDSET.Open",
                                        "Error:Could not RECORDSET.Open"}));
    LRecordClose();
}

TEST_F(PatientFileTest, TheFileHoldsTheTableInColumnOrderAndOpensWithThePassword) {
    auto db = raw();
    sqlkit::Statement columns(db.get(), "PRAGMA table_info(Patient_Information)");
    std::vector<std::string> names;
    while (columns.step()) names.emplace_back(columns.text(1));
    ASSERT_EQ(names.size(), 55u);
    EXPECT_EQ(names[0], "ID");
    EXPECT_EQ(names[2], "REGIST");
    EXPECT_EQ(names[14], "MEMO");
    EXPECT_EQ(names[15], "N0");
    EXPECT_EQ(names[16], "INFO0");
    EXPECT_EQ(names[54], "INFO19");

    // Unreadable without the key; readable with the passphrase, as the sqlcipher shell opens it.
    for (const bool keyed : {false, true}) {
        sqlite3* plain = nullptr;
        ASSERT_EQ(sqlite3_open(file().string().c_str(), &plain), SQLITE_OK);
        sqlkit::Db guard(plain);
        if (keyed) {
            ASSERT_TRUE(sqlkit::exec(plain, "PRAGMA key = 'HN%tPQS'"));
            ASSERT_TRUE(sqlkit::exec(plain, "PRAGMA cipher_page_size = 4096"));
        }
        EXPECT_EQ(sqlkit::exec(plain, "SELECT count(*) FROM Patient_Information"), keyed);
    }
}

TEST_F(PatientFileTest, CreatingOverAnExistingFileIsRefused) {
    std::string error;
    EXPECT_FALSE(patientbase::createPatientDatabase(dir.path(), &error));
    EXPECT_FALSE(error.empty());
}
