// init, load-catalogue, add-patient, patients and history on a program folder of files.
#include <tuple>

#include "admin_fixture.h"
#include "folderkey/file_key.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlcipher.h"

namespace {

class AdminCommands : public AdminTest {
  protected:
    void SetUp() override { ok({"init", folder()}); }
    int listedDrugs() {
        EXPECT_EQ(run({"list", folder()}), 0) << err.str();
        const std::string s = out.str();
        return std::stoi(s.substr(s.rfind('\n', s.size() - 2) + 1));
    }
};

TEST_F(AdminCommands, InitCreatesTheLayoutAndKeepsAnExistingDatabase) {
    for (const char* f : {"データベース/薬剤ファイル.mdb", "データベース/患者ファイル.mdb",
                          "コンフィグ", "ユーザー写真", "薬剤写真/PHOTO1", "薬剤写真/PHOTO6"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / f)) << f;
    ok({"patients", folder()});
    EXPECT_TRUE(printed("0 patients")) << out.str();
    ok({"load-catalogue", folder(), write("in.csv", "YJCODE,PRODUCTNAME\nA1,薬\n")});
    ok({"init", folder()});
    EXPECT_TRUE(printed("kept"));
    EXPECT_EQ(listedDrugs(), 1);
}

// The header and field-count checks are the tool's; a value the library or the CSV reader
// refuses is one row each, for the file and line put before its reason.
TEST_F(AdminCommands, BadFilesAreRefusedWithTheirLineAndLoadNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"YJCODE,PRODUCTNAME,COLOUR\nA,b,c\n", ":1: unknown or derived column COLOUR"},
        {"YJCODE,PRODUCTNAME,YJCODE\nA,b,c\n", ":1: column YJCODE is named twice"},
        {"YJCODE,PRODUCTNAME\nA,b\nB,c,d\n", ":3: 3 fields where 2 columns"},
        {"YJCODE,PRODUCTNAME\nA,b\n\nB\n", ":4: 1 fields where 2 columns"},
        {"YJCODE,PRODUCTNAME\nA,b\nA,c\n", ":3: YJ code A is given twice"},
        {"YJCODE,PRODUCTNAME\nA,b\nB,\xC0\xAF\n", ":3: invalid UTF-8"},
        {"", ": the file has no header line"},
    };
    for (const auto& [csv, reason] : cases) {
        const std::string file = write("in.csv", csv);
        EXPECT_EQ(run({"load-catalogue", folder(), file}), admin::kRefused) << csv;
        EXPECT_EQ(err.str().find(file + reason), 0u) << err.str();
        EXPECT_TRUE(err.str().ends_with("; nothing loaded\n")) << err.str();
    }
    EXPECT_EQ(listedDrugs(), 0);
    fails({"load-catalogue", folder(), folder() + "/missing.csv"}, admin::kRefused,
          "missing.csv: cannot read the file");
}

TEST_F(AdminCommands, WriteFailuresNameTheEnginesReasonAndNoLine) {
    // Every insert fails as on a full disk.
    for (const auto& [file, table] : {std::pair{"薬剤ファイル.mdb", "Medicine_Information"},
                                      {"患者ファイル.mdb", "Patient_Information"}}) {
        auto db =
            sqlkit::openEncrypted(data() / file, *folderkey::fileKeyIn(data(), nullptr), nullptr);
        ASSERT_TRUE(db && db->exec(std::string("CREATE TRIGGER full BEFORE INSERT ON ") + table +
                                   " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    }
    const std::string csv = write("in.csv", "YJCODE,PRODUCTNAME\nA1,薬\n");
    EXPECT_EQ(run({"load-catalogue", folder(), csv}), admin::kRefused);
    EXPECT_EQ(err.str(),
              csv + ": cannot write the catalogue: database or disk is full; nothing loaded\n");
    EXPECT_EQ(run({"add-patient", folder(), "5", "山田"}), admin::kRefused);
    EXPECT_EQ(err.str(),
              "patient 5 was not registered: Error:RECORDSET.Update (database or disk is full)\n");
    fails({"add-patient", folder() + "/nowhere", "5", "山田"}, admin::kRefused,
          "no patient database");
}

TEST_F(AdminCommands, ADamagedCatalogueIsRefusedBeforeAnythingIsLoaded) {
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    // One page in the middle of the file damaged, as a failing disk leaves it.
    const auto file = data() / "薬剤ファイル.mdb";
    const auto pages = std::filesystem::file_size(file) / 4096;
    ASSERT_GE(pages, 8u);
    {
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(pages / 2 * 4096 + 1000));
        f << std::string(64, 'x');
    }
    const std::string csv = write("in.csv", "YJCODE,PRODUCTNAME\nZ9,ン\n");
    EXPECT_EQ(run({"load-catalogue", folder(), csv}), admin::kRefused);
    EXPECT_EQ(err.str().find(csv + ": the catalogue file is damaged: "), 0u) << err.str();
    EXPECT_TRUE(err.str().ends_with("; nothing loaded\n")) << err.str();
}

TEST_F(AdminTest, UsageErrorsPrintTheUsage) {
    EXPECT_EQ(run({}), admin::kUsage);
    EXPECT_EQ(run({"list"}), admin::kUsage);
    fails({"frobnicate", folder()}, admin::kUsage, "usage: leafletadmin");
    EXPECT_EQ(run({"list", folder()}), admin::kRefused);  // no database there
}

TEST_F(AdminCommands, RegistersSamplePatientsAndSwitchesTheHistory) {
    ok({"add-patient", folder(), "12", "山田　花子"});
    EXPECT_EQ(run({"add-patient", folder(), "12", "別人"}), admin::kRefused);
    EXPECT_EQ(err.str(), "patient 12 was not registered: the ID is in use\n");
    EXPECT_EQ(run({"add-patient", folder(), "0x1", "誰か"}), admin::kUsage);
    // Details are stored whole or the patient is not registered at all.
    // The last: a 50-byte text does not fit the 50-byte field with its end.
    for (const std::string& bad :
         {std::string("birth=昭和40.13.3"), std::string("birth=昭和40.5.32"),
          std::string("birth=昭和40.5"), std::string("sex=不明"), std::string("blood=A"),
          std::string("phone"), std::string("ward=\xF0\x9F\x98\x80"),
          "phone=" + std::string(50, '1')})
        fails({"add-patient", folder(), "13", "見本　次郎", bad}, admin::kUsage, bad);
    ok({"add-patient", folder(), "13", "見本　次郎", "reading=みほん　じろう", "sex=男",
        "birth=令和2.4.30", "phone=03-0000-0000", "allergy=卵"});
    PatientRecord stored{};
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    EXPECT_EQ(LRecordDetail(&stored, "", 13, 1), 0);
    LRecordClose();
    EXPECT_EQ(
        std::tuple(sjis::toUtf8(stored.MEMO), stored.SEX, stored.NENGO, stored.YEAR, stored.MONTH,
                   stored.DAY, std::string(stored.TELEPHONE), sjis::toUtf8(stored.ALLERGY)),
        std::tuple("みほん　じろう", 1, 5, 2, 4, 30, "03-0000-0000", "卵"));
    ok({"patients", folder()});
    EXPECT_TRUE(printed("12\t山田　花子")) << out.str();
    EXPECT_TRUE(printed("\t男性\t令和2年4月30日\t")) << out.str();
    EXPECT_FALSE(printed("別人"));

    ok({"history", folder(), "on"});
    std::ifstream settings(dir.path() / "コンフィグ" / "Userfile.e", std::ios::binary);
    settings.seekg(2012);
    EXPECT_EQ(settings.get(), 1) << "the save-history flag";
    EXPECT_EQ(run({"history", folder(), "maybe"}), admin::kUsage);
}

}  // namespace
