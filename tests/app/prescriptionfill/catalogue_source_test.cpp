// The drug matcher's lookups over a real drug file: the sample catalogue and a code map imported
// from a master file in the public layout, read through the program's catalogue face.
#include "prescriptionfill/catalogue_source.h"

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

    static std::string name(const std::optional<CatalogueDrug>& drug) {
        return drug ? sjis::toUtf8(drug->productName) : "<none>";
    }

    TempDir dir;
    data::DrugCatalogue catalogue;
    CatalogueSource source{catalogue};
};

TEST_F(CatalogueSourceTest, LookupsReadTheCatalogueAndTheCodeMap) {
    const std::optional<CatalogueDrug> famotidine = source.byYjCode("2325903B4M90");
    EXPECT_EQ(name(famotidine), "ファモチジン散１０％「見本」");
    EXPECT_EQ(sjis::toUtf8(famotidine->form) + famotidine->code, "散FAMP10");
    EXPECT_FALSE(source.byYjCode("9999999F9999"));

    // What the prefix and name lookups find is the walk test's; here the form they carry and a
    // name found nowhere.
    EXPECT_EQ(sjis::toUtf8(source.byYjPrefix("2171901F2").at(0).form), "錠");
    EXPECT_TRUE(source.byNameKey(nameKey(sjis::fromUtf8("どこにもない薬"))).empty());

    EXPECT_EQ(source.byReceiptCode("620008001")->yjCode, "2171901F2S93");
    EXPECT_EQ(source.byReceiptCode("620000077")->yjCode, "") << "mapped without a YJ code";
    EXPECT_FALSE(source.byReceiptCode("699999999"));
}

// Every prefix and name lookup finds what a walk over the whole list finds, in the same order:
// by YJ code prefix in code order, by name in list order, whatever the width and spacing of
// the name asked for.
TEST_F(CatalogueSourceTest, RangeLookupsFindWhatAWalkOverTheListFinds) {
    // A name may start with a space, and spell a voiced kana in one or two characters.
    std::vector<std::string> starts;
    for (const char* s : {" ", "\u3000", "カ", "ガ", "ｶ"}) starts.push_back(sjis::fromUtf8(s));
    EXPECT_EQ(namePrefixes(sjis::fromUtf8("ｶﾞ"), 1), starts);

    std::vector<data::DrugRow> rows;
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByName, rows), data::DataResult::kDone);
    const auto codes = [](const std::vector<CatalogueDrug>& drugs) {
        std::vector<std::string> out;
        for (const CatalogueDrug& d : drugs) out.push_back(d.yjCode);
        return out;
    };
    for (const data::DrugRow& row : rows) {
        SCOPED_TRACE(sjis::toUtf8(row.name));
        for (std::size_t length : {4u, 9u}) {
            const std::string prefix = row.yjcode.substr(0, length);
            std::vector<std::string> walked;
            for (const data::DrugRow& r : rows)
                if (r.yjcode.starts_with(prefix)) walked.push_back(r.yjcode);
            std::stable_sort(walked.begin(), walked.end());
            EXPECT_EQ(codes(source.byYjPrefix(prefix)), walked) << prefix;
        }
        const std::string key = nameKey(row.name);
        std::vector<std::string> walked;
        for (const data::DrugRow& r : rows)
            if (nameKey(r.name) == key) walked.push_back(r.yjcode);
        const std::size_t first = sjis::isLeadByte(static_cast<unsigned char>(row.name[0])) ? 2 : 1;
        const std::string spaced = " " + sjis::toFullWidth(row.name.substr(0, first)) +
                                   sjis::fromUtf8("\u3000") + row.name.substr(first);
        for (const std::string& asked :
             {row.name, sjis::toHalfWidth(row.name), sjis::toFullWidth(row.name), spaced})
            EXPECT_EQ(codes(source.byNameKey(nameKey(asked))), walked) << sjis::toUtf8(asked);
    }
}

}  // namespace
