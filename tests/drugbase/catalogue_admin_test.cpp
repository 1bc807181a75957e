#include "catalogue_fixture.h"

using drugbase::SuppliedDrug;

TEST_F(CatalogueTest, SuppliedDrugsAreCheckedAndLoadAllOrNothing) {
    const SuppliedDrug good{{"YJCODE", "G1"}, {"PRODUCTNAME", "良い薬"}, {"PHOTO3", "1"}};
    EXPECT_EQ(drugbase::checkSuppliedDrug(good), "");
    const std::pair<SuppliedDrug, const char*> bad[] = {
        {{{"YJCODE", "B"}, {"PRODUCTNAME", "x"}, {"ORIDGINAL", "1"}}, "ORIDGINAL cannot be loaded"},
        {{{"YJCODE", "B"}, {"PRODUCTNAME", "x"}, {"LISTNAME", "y"}}, "LISTNAME cannot be loaded"},
        {{{"YJCODE", "B"}, {"PRODUCTNAME", "x"}, {"NOSUCH", "y"}}, "NOSUCH cannot be loaded"},
        {{{"YJCODE", "B"}, {"PRODUCTNAME", std::string(91, 'a')}}, "longer than 90 bytes"},
        {{{"YJCODE", "B"}, {"PRODUCTNAME", "x"}, {"PHOTO1", "one"}}, "not a whole number"},
        {{{"YJCODE", "B"}, {"PRODUCTNAME", "x😀"}}, "Shift-JIS lacks"},
        {{{"PRODUCTNAME", "x"}}, "YJCODE is empty"},
    };
    for (const auto& [drug, reason] : bad)
        EXPECT_NE(drugbase::checkSuppliedDrug(drug).find(reason), std::string::npos) << reason;

    auto result = drugbase::addSuppliedDrugs(dir.path(), {good, good});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedIndex, 1u);
    supply({good});
    result =
        drugbase::addSuppliedDrugs(dir.path(), {{{"YJCODE", "G2"}, {"PRODUCTNAME", "b"}}, good});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("already in the catalogue"), std::string::npos);
    EXPECT_EQ(storedText("SELECT group_concat(YJCODE) FROM Medicine_Information"), "G1");
    EXPECT_EQ(storedText("SELECT PHOTO3 || ORIDGINAL || LISTHYOUJI || LISTNAME FROM "
                         "Medicine_Information"),
              "101良い薬");
}
