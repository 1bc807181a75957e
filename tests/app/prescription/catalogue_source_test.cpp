// Drug matching against a real drug file: the sample catalogue and a code map imported from a
// master file in the public layout, read through the program's catalogue face.
#include "prescription/catalogue_source.h"

#include <gtest/gtest.h>

#include <sstream>

#include "admin.h"
#include "layout/data_folder.h"
#include "master_file.h"
#include "prescription/drug_matcher.h"
#include "temp_dir.h"

namespace {

using namespace prescription;

class CatalogueSourceTest : public testing::Test {
  protected:
    void SetUp() override {
        std::ostringstream out, err;
        const std::string folder = dir.path().string();
        const std::string master = (dir.path() / "y_ALL.csv").string();
        writeMaster(master, {{"620008001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10",
                              "2171901F2S93", "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ"},
                             {"620000077", "廃止された薬", "錠", "1.00", "", "", ""}});
        ASSERT_EQ(admin::run({"init", folder}, out, err), 0) << err.str();
        ASSERT_EQ(admin::run({"load-catalogue", folder, SAMPLE_CATALOGUE}, out, err), 0);
        ASSERT_EQ(admin::run({"import-master", folder, master}, out, err), 0) << err.str();
        ASSERT_TRUE(catalogue.open(layout::databaseFolder(dir.path())));
    }
    void TearDown() override { catalogue.close(); }

    DrugMatch match(int kind, const char* code, const char* name) {
        Drug drug;
        drug.codeKind = kind;
        drug.code = code;
        drug.name = sjis::fromUtf8(name);
        return DrugMatcher(source, source).match(drug);
    }
    static std::string name(const std::optional<CatalogueDrug>& drug) {
        return drug ? sjis::toUtf8(drug->productName) : "<none>";
    }

    TempDir dir;
    data::DrugCatalogue catalogue;
    CatalogueSource source{catalogue};
};

TEST_F(CatalogueSourceTest, EachCodeKindFindsItsDrugInTheFile) {
    DrugMatch m = match(4, "2325903B4M90", "");
    EXPECT_EQ(m.method, MatchMethod::kYjCode);
    EXPECT_EQ(name(m.drug), "ファモチジン散１０％「見本」");
    EXPECT_EQ(sjis::toUtf8(m.drug->form), "散");
    EXPECT_EQ(m.drug->code, "FAMP10");

    m = match(2, "620008001", "アムロジピン錠５ｍｇ");
    EXPECT_EQ(m.method, MatchMethod::kReceiptCode);
    EXPECT_EQ(m.drug->yjCode, "2171901F2S93");

    // Two products share the general-name code's first nine characters, in YJ code order.
    m = match(7, "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ");
    EXPECT_EQ(m.method, MatchMethod::kGeneralNameCode);
    EXPECT_FALSE(m.drug);
    ASSERT_EQ(m.candidates.size(), 2u);
    EXPECT_EQ(m.candidates[0].yjCode, "2171901F2M97");
    EXPECT_EQ(sjis::toUtf8(m.candidates[0].form), "錠");
    EXPECT_EQ(m.candidates[1].yjCode, "2171901F2S93");
}

TEST_F(CatalogueSourceTest, NamesAndCodesWithoutADrugFallBackOrStayUnmatched) {
    // Half-width letters and a space in the prescription's name still find the drug.
    DrugMatch m = match(1, "", "ワルファリンK錠1mg 「サンプル」");
    EXPECT_EQ(m.method, MatchMethod::kName);
    EXPECT_EQ(m.drug->yjCode, "3332912F1S92");

    // A mapped code without a YJ code, and a code the map lacks, go by the name.
    m = match(2, "620000077", "レバミピド錠１００ｍｇ「サンプル」");
    EXPECT_EQ(m.method, MatchMethod::kName);
    EXPECT_EQ(m.drug->yjCode, "2329904F1S96");
    EXPECT_EQ(match(2, "699999999", "どこにもない薬").method, MatchMethod::kUnmatched);
    EXPECT_EQ(match(4, "9999999F9999", "").method, MatchMethod::kUnmatched);
    EXPECT_FALSE(source.byReceiptCode("699999999"));
    EXPECT_EQ(source.byReceiptCode("620000077")->yjCode, "");
}

}  // namespace
