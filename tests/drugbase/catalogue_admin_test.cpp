#include "catalogue_fixture.h"

using drugbase::SuppliedDrug;

TEST_F(CatalogueTest, SuppliedDrugsAreCheckedAndLoadAllOrNothing) {
    const SuppliedDrug good = drug("G1", "良い薬", {{"PHOTO3", "1"}});
    EXPECT_EQ(drugbase::checkSuppliedDrug(good), "");
    const std::pair<SuppliedDrug, const char*> bad[] = {
        {drug("B", "x", {{"ORIDGINAL", "1"}}), "ORIDGINAL cannot be loaded"},
        {drug("B", "x", {{"LISTNAME", "y"}}), "LISTNAME cannot be loaded"},
        {drug("B", "x", {{"NOSUCH", "y"}}), "NOSUCH cannot be loaded"},
        {drug("B", std::string(91, 'a')), "longer than 90 bytes"},
        {drug("B", "x", {{"PHOTO1", "one"}}), "not a whole number"},
        {drug("B", "x😀"), "Shift-JIS lacks"},
        {{{"PRODUCTNAME", "x"}}, "YJCODE is empty"},
    };
    for (const auto& [d, reason] : bad)
        EXPECT_NE(drugbase::checkSuppliedDrug(d).find(reason), std::string::npos) << reason;

    // A duplicate within the load or of a drug already there refuses the whole load.
    auto result = drugbase::addSuppliedDrugs(data.path(), {good, good});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedIndex, 1u);
    supply({good});
    result = drugbase::addSuppliedDrugs(data.path(), {drug("G2", "b"), good});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("already in the catalogue"), std::string::npos);
    EXPECT_EQ(storedText("SELECT " + data.listOf("YJCODE") + " FROM Medicine_Information"), "G1");
    EXPECT_EQ(stored("PHOTO3 || ORIDGINAL || LISTHYOUJI || LISTNAME", "G1"), "101良い薬");
}
