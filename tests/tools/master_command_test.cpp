// import-master on a real program folder with the sample catalogue and master files written
// in the public layout.
#include "admin_fixture.h"
#include "drugbase.h"
#include "master_file.h"
#include "sjis/sjis.h"

namespace {

// Amlodipine's YJ code is in the sample catalogue already.
const MasterDrug kFamotidine{
    "610406079",    "ガスター散２％",          "ｇ", "9.50", "2325003B2029",
    "2325003B2ZZZ", "【般】ファモチジン散２％"};
const MasterDrug kAmlodipine{"620008001", "アムロジピン錠", "錠", "10.10", "2171901F2S93", "", ""};
const MasterDrug kLoxoprofen{"620098801", "ロキソニン錠６０ｍｇ", "錠", "10.10", "1149019F1560", "",
                             ""};

class MasterCommand : public AdminTest {
  protected:
    void SetUp() override {
        ok({"init", folder()});
        ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    }
    const std::string master = (dir.path() / "y_ALL20260401.csv").string();

    // The YJ code the code map gives, "<none>" without an entry.
    std::string mapped(const char* receiptCode) {
        EXPECT_EQ(RecordOpen(data().c_str(), nullptr), 0);
        DrugCodeMapEntry entry{};
        const int result = MasterCode(receiptCode, &entry);
        RecordClose();
        return result == DRUGBASE_OK ? sjis::toUtf8(entry.YJCODE) : "<none>";
    }
};

TEST_F(MasterCommand, FillsTheMapAndAddsTheMissingDrugsWithACount) {
    writeMaster(master, {kFamotidine, kAmlodipine, kLoxoprofen});
    ok({"import-master", folder(), master, "--add-drugs"});
    EXPECT_EQ(out.str(), "3 codes mapped, 2 drugs added\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(mapped("620008001"), "2171901F2S93");
    EXPECT_EQ(mapped("620098801"), "1149019F1560");
    ok({"list", folder()});
    EXPECT_TRUE(printed("2325003B2029\tがすた\tガスター散２％\n")) << out.str();
    EXPECT_TRUE(printed("1149019F1560\tろきそ\tロキソニン錠６０ｍｇ\n"));
    EXPECT_FALSE(printed("アムロジピン錠\n")) << "a drug already in the catalogue";

    // Without --add-drugs only the map changes; on a terminal the progress line is shown.
    const MasterDrug generic{"620000123",    "ファモチジン散「見本」", "ｇ", "6.3",
                             "2325003B2030", "2325003B2ZZZ",           "",   "1"};
    writeMaster(master, {kFamotidine, generic});
    ASSERT_EQ(admin::run({"import-master", folder(), master}, out, err, true), 0);
    EXPECT_EQ(err.str(), "\r2 / 2\n");
    EXPECT_EQ(mapped("620098801"), "<none>");
    // The generic flag and the prices, as the file gives them.
    ASSERT_EQ(RecordOpen(data().c_str(), nullptr), 0);
    const char* codes[] = {"2325003B2029", "2325003B2030"};
    DrugGenericFacts facts[2];
    ASSERT_EQ(MasterGenericFacts(codes, 2, facts), DRUGBASE_OK);
    RecordClose();
    EXPECT_EQ(std::vector<long long>({facts[0].generic, facts[0].price, facts[0].lowestGenericPrice,
                                      facts[1].generic}),
              std::vector<long long>({0, 950, 630, 1}));
}

TEST_F(MasterCommand, ABadFileChangesNothingAndSaysWhy) {
    writeMaster(master, {kFamotidine});
    ok({"import-master", folder(), master});
    // The third line has a column too many.
    writeMaster(master, {kLoxoprofen, kAmlodipine}, masterLine(kFamotidine) + ",0");
    fails({"import-master", folder(), master, "--add-drugs"}, admin::kRefused,
          "3行目: 項目数が 43 で、ほかの行の 42 と違います。");
    EXPECT_NE(err.str().find("nothing changed"), std::string::npos);
    EXPECT_EQ(mapped("610406079"), "2325003B2029");
    EXPECT_EQ(mapped("620098801"), "<none>");

    // Drugs to be added without a name: every such line is named.
    MasterDrug unnamed = kLoxoprofen, lost = kLoxoprofen;
    unnamed.name = "";
    lost.receiptCode = "620098802";
    lost.name = "??";
    writeMaster(master, {kAmlodipine, unnamed, lost});
    fails({"import-master", folder(), master, "--add-drugs"}, admin::kRefused,
          "line 2, 3: no product name");
    EXPECT_EQ(mapped("620098801"), "<none>");
    fails({"import-master", folder(), (dir.path() / "missing.csv").string()}, admin::kRefused,
          "cannot be opened");
    EXPECT_EQ(run({"import-master", folder(), master, "--add"}), admin::kUsage);
}

}  // namespace
