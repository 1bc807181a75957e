#include <fstream>
#include <tuple>

#include "admin_fixture.h"
#include "folderkey/file_key.h"
#include "patientbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlcipher.h"

namespace {

class AdminCommands : public AdminTest {
  protected:
    std::string writeCsv(const std::string& text) {
        const auto file = dir.path() / "in.csv";
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    int listedDrugs() {
        EXPECT_EQ(run({"list", folder()}), 0) << err.str();
        const std::string s = out.str();
        const auto lastLine = s.rfind('\n', s.size() - 2);
        return std::stoi(s.substr(lastLine + 1));
    }
};

}  // namespace

TEST_F(AdminCommands, InitCreatesTheLayoutAndKeepsAnExistingDatabase) {
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    for (const char* f : {"データベース/薬剤ファイル.mdb", "データベース/患者ファイル.mdb",
                          "コンフィグ", "ユーザー写真", "薬剤写真/PHOTO1", "薬剤写真/PHOTO6"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / f)) << f;
    ASSERT_EQ(run({"patients", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("0 patients")) << out.str();
    ASSERT_EQ(run({"load-catalogue", folder(), writeCsv("YJCODE,PRODUCTNAME\nA1,薬\n")}), 0);
    ASSERT_EQ(run({"init", folder()}), 0);
    EXPECT_TRUE(printed("kept"));
    EXPECT_EQ(listedDrugs(), 1);
}

// The header and field-count checks are the tool's; a value the library or the CSV reader
// refuses is one row each, for the file and line put before its reason.
TEST_F(AdminCommands, BadFilesAreRefusedWithTheirLineAndLoadNothing) {
    ASSERT_EQ(run({"init", folder()}), 0);
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
        const std::string file = writeCsv(csv);
        EXPECT_EQ(run({"load-catalogue", folder(), file}), admin::kRefused) << csv;
        EXPECT_EQ(err.str().find(file + reason), 0u) << err.str();
        EXPECT_TRUE(err.str().ends_with("; nothing loaded\n")) << err.str();
    }
    EXPECT_EQ(listedDrugs(), 0);

    EXPECT_EQ(run({"load-catalogue", folder(), folder() + "/missing.csv"}), admin::kRefused);
    EXPECT_NE(err.str().find("missing.csv: cannot read the file"), std::string::npos);
}

TEST_F(AdminCommands, WriteFailuresNameTheEnginesReasonAndNoLine) {
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    // Every insert fails as on a full disk.
    for (const auto& [file, table] : {std::pair{"薬剤ファイル.mdb", "Medicine_Information"},
                                      {"患者ファイル.mdb", "Patient_Information"}}) {
        auto db = sqlkit::openEncrypted(dir.path() / "データベース" / file,
                                        *folderkey::fileKeyIn(dir.path() / "データベース", nullptr),
                                        nullptr);
        ASSERT_TRUE(db && db->exec(std::string("CREATE TRIGGER full BEFORE INSERT ON ") + table +
                                   " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    }
    const std::string csv = writeCsv("YJCODE,PRODUCTNAME\nA1,薬\n");
    EXPECT_EQ(run({"load-catalogue", folder(), csv}), admin::kRefused);
    EXPECT_EQ(err.str(), csv +
                             ": cannot write the catalogue: database or disk is full; "
                             "nothing loaded\n");
    EXPECT_EQ(run({"add-patient", folder(), "5", "山田"}), admin::kRefused);
    EXPECT_EQ(err.str(),
              "patient 5 was not registered: Error:RECORDSET.Update (database or disk "
              "is full)\n");

    EXPECT_EQ(run({"add-patient", folder() + "/nowhere", "5", "山田"}), admin::kRefused);
    EXPECT_NE(err.str().find("no patient database"), std::string::npos) << err.str();
}

TEST_F(AdminCommands, ADamagedCatalogueIsRefusedBeforeAnythingIsLoaded) {
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    // One page in the middle of the file damaged, as a failing disk leaves it.
    const auto file = dir.path() / "データベース" / "薬剤ファイル.mdb";
    const auto pages = std::filesystem::file_size(file) / 4096;
    ASSERT_GE(pages, 8u);
    {
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(pages / 2 * 4096 + 1000));
        f << std::string(64, 'x');
    }
    const std::string csv = writeCsv("YJCODE,PRODUCTNAME\nZ9,ン\n");
    EXPECT_EQ(run({"load-catalogue", folder(), csv}), admin::kRefused);
    EXPECT_EQ(err.str().find(csv + ": the catalogue file is damaged: "), 0u) << err.str();
    EXPECT_TRUE(err.str().ends_with("; nothing loaded\n")) << err.str();
}

TEST_F(AdminCommands, UsageErrorsPrintTheUsage) {
    EXPECT_EQ(run({}), admin::kUsage);
    EXPECT_EQ(run({"list"}), admin::kUsage);
    EXPECT_EQ(run({"frobnicate", folder()}), admin::kUsage);
    EXPECT_NE(err.str().find("usage: leafletadmin"), std::string::npos);
    EXPECT_EQ(run({"list", folder()}), admin::kRefused);  // no database there
}

TEST_F(AdminCommands, RegistersSamplePatientsAndSwitchesTheHistory) {
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    EXPECT_EQ(run({"add-patient", folder(), "12", "山田　花子"}), 0) << err.str();
    EXPECT_EQ(run({"add-patient", folder(), "12", "別人"}), admin::kRefused);
    EXPECT_EQ(err.str(), "patient 12 was not registered: the ID is in use\n");
    EXPECT_EQ(run({"add-patient", folder(), "0x1", "誰か"}), admin::kUsage);
    // Details are stored whole or the patient is not registered at all.
    // The last: a 50-byte text does not fit the 50-byte field with its end.
    for (const std::string& bad : std::vector<std::string>{
             "birth=昭和40.13.3", "birth=昭和40.5", "sex=不明", "blood=A", "phone",
             "ward=\xF0\x9F\x98\x80", "phone=" + std::string(50, '1')}) {
        EXPECT_EQ(run({"add-patient", folder(), "13", "見本　次郎", bad}), admin::kUsage) << bad;
        EXPECT_NE(err.str().find(bad), std::string::npos) << err.str();
    }
    ASSERT_EQ(run({"add-patient", folder(), "13", "見本　次郎", "reading=みほん　じろう", "sex=男",
                   "birth=令和2.4.30", "phone=03-0000-0000", "allergy=卵"}),
              0)
        << err.str();
    PatientRecord stored{};
    ASSERT_EQ(LRecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
    EXPECT_EQ(LRecordDetail(&stored, "", 13, 1), 0);
    LRecordClose();
    EXPECT_EQ(std::string(stored.MEMO), sjis::fromUtf8("みほん　じろう"));
    EXPECT_EQ(std::tuple(stored.SEX, stored.NENGO, stored.YEAR, stored.MONTH, stored.DAY),
              std::tuple(1, 5, 2, 4, 30));
    EXPECT_STREQ(stored.TELEPHONE, "03-0000-0000");
    EXPECT_EQ(std::string(stored.ALLERGY), sjis::fromUtf8("卵"));
    ASSERT_EQ(run({"patients", folder()}), 0);
    EXPECT_TRUE(printed("12\t山田　花子")) << out.str();
    EXPECT_TRUE(printed("\t男性\t令和2年4月30日\t")) << out.str();
    EXPECT_FALSE(printed("別人"));

    EXPECT_EQ(run({"history", folder(), "on"}), 0) << err.str();
    std::ifstream settings(dir.path() / "コンフィグ" / "Userfile.e", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(settings)), {});
    ASSERT_GE(bytes.size(), 2016u);
    EXPECT_EQ(bytes[2012], 1) << "the save-history flag";
    EXPECT_EQ(run({"history", folder(), "maybe"}), admin::kUsage);
}
