#include <sstream>

#include "patient_fixture.h"
#include "register_columns.h"

TEST_F(PatientFileTest, ListingShowsEachPatientWithHistoryInIdOrder) {
    PatientRecord r = patient(12, "山田 花子");
    r.SEX = 2;
    r.NENGO = 3;
    r.YEAR = 45;
    r.MONTH = 3;
    SET(r, MEMO, "やまだ はなこ");
    SET(r, BYOUTO, "東病棟");
    ASSERT_EQ(LRecordCreate(&r), 0);
    create(3, "O'Neil");
    run("UPDATE Patient_Information SET REGIST = '2024-01-02 03:04:05', "
        "N3 = '2023-05-06 07:08:09', N8 = '2024-05-06 07:08:09' WHERE ID = 12");
    std::ostringstream out, err;
    EXPECT_EQ(patientbase::listPatients(data.path(), out, err), 0);
    EXPECT_EQ(out.str(),
              "ID\t氏名\tふりがな\t性別\t生年月日\t自宅電話\t携帯電話\t病棟\t登録日時\t薬歴\n"
              "3\tO'Neil\t\t指定なし\t\t\t\t\t" +
                  stored("SELECT REGIST FROM Patient_Information WHERE ID = 3") +
                  "\t0\n"
                  "12\t山田 花子\tやまだ はなこ\t女性\t昭和45年3月\t\t\t東病棟\t2024-01-02 "
                  "03:04:05\t2 (2024年05月06日 07:08:09)\n"
                  "2 patients\n");
    EXPECT_EQ(err.str(), "");
}

TEST(PatientAdmin, ListingAFolderWithoutAReadablePatientFileFails) {
    TempDir dir;
    std::ostringstream out, err;
    EXPECT_EQ(patientbase::listPatients(dir.path(), out, err), 1);
    EXPECT_NE(err.str().find("no patient database"), std::string::npos);
    ASSERT_TRUE(sqlkit::createEncrypted(dir.path() / "患者ファイル.mdb", "wrong",
                                        "CREATE TABLE t (x)", nullptr));
    err.str("");
    EXPECT_EQ(patientbase::listPatients(dir.path(), out, err), 1);
    EXPECT_NE(err.str().find("cannot open"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}

// A planner that walked the wide rows or search index, or sorted, would make the lists slow on a
// big register; the engine's own plan tells which index each list walks.
TEST(PatientAdmin, EachPatientListWalksItsNarrowIndex) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(patientbase::createPatientDatabase(dir.path(), &error)) << error;
    auto db =
        sqlkit::openEncrypted(dir.path() / patientbase::kFileName, patientbase::kPassword, &error);
    ASSERT_TRUE(db) << error;
    for (const auto& [byName, index] : {std::pair{false, "Patient_List"}, {true, "Patient_Name"}}) {
        sqlkit::Statement plan =
            db->prepare("EXPLAIN QUERY PLAN " + patientbase::patientListSql(byName));
        std::string steps;
        while (plan.step()) steps += std::string(plan.text(plan.columnCount() - 1)) + "\n";
        EXPECT_EQ(steps, "SCAN TABLE Patient_Information USING COVERING INDEX " +
                             std::string(index) + "\n");
    }
}
