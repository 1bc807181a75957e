// The code map from the public drug master: filling it in one transaction, reading it back,
// the catalogue rows added for drugs the catalogue lacks, and files made before the map.
#include <gtest/gtest.h>

#include <utility>

#include "catalogue_fixture.h"
#include "code_map.h"
#include "master_drugs.h"

namespace {

DrugMasterRow masterRow(const std::string& receiptCode, const std::string& yjcode,
                        const std::string& name, const std::string& generalName = "",
                        const std::string& price = "10.10", int generic = 0) {
    DrugMasterRow row{};
    SET(row.code, receiptCode, receiptCode);
    SET(row.code, YJCODE, yjcode);
    if (yjcode.size() == 12) SET(row.code, generalNameCode, yjcode.substr(0, 9) + "ZZZ");
    SET(row.code, generalName, generalName);
    SET(row, PRODUCTNAME, name);
    SET(row, TANNI, "錠");
    SET(row, YAKUKA, price);
    row.generic = generic;
    return row;
}

class MasterImportTest : public OnEachEngine<CatalogueTest> {
  protected:
    int import(const std::vector<DrugMasterRow>& rows, bool addDrugs = false) {
        added = -1;
        return MasterImport(rows.data(), static_cast<int>(rows.size()), addDrugs ? 1 : 0, nullptr,
                            nullptr, &added);
    }
    // The YJ code the map gives a レセ電 code, "<none>" when it has none.
    std::string mapped(const char* receiptCode) {
        DrugCodeMapEntry entry{};
        const int result = MasterCode(receiptCode, &entry);
        if (result == DRUGBASE_CONDITION) return "<none>";
        EXPECT_EQ(result, DRUGBASE_OK);
        return text(entry.YJCODE);
    }
    std::string count(const char* table) {
        return storedText(std::string("SELECT COUNT(*) FROM ") + table);
    }
    // The generic facts of each code as "generic unit price lowest", "<none>" without a row.
    std::vector<std::string> facts(const std::vector<const char*>& codes) {
        std::vector<DrugGenericFacts> read(codes.size());
        EXPECT_EQ(MasterGenericFacts(codes.data(), static_cast<int>(codes.size()), read.data()),
                  DRUGBASE_OK);
        std::vector<std::string> shown;
        for (const DrugGenericFacts& f : read)
            shown.push_back(f.found ? std::to_string(f.generic) + " " + text(f.unit) + " " +
                                          std::to_string(f.price) + " " +
                                          std::to_string(f.lowestGenericPrice)
                                    : "<none>");
        return shown;
    }
    int added = -1;
};

TEST_P(MasterImportTest, MapIsFilledReadAndReplacedByTheNextImport) {
    EXPECT_EQ(facts({"2325003B2029"}), std::vector<std::string>{"<none>"}) << "no master yet";
    ASSERT_EQ(import({masterRow("610406079", "2325003B2029", "ガスター散２％",
                                "【般】ファモチジン散２％", "9.50"),
                      masterRow("620000001", "", "コードのない薬"),
                      masterRow("620000010", "2325003B2030", "ファモチジン散", "", "6.1", 1),
                      masterRow("620000011", "2325003B2031", "ファモチジン散", "", "5.70", 1),
                      // A cheaper generic of another group (apart in the group's last
                      // character), and one without a price.
                      masterRow("620000012", "2325003B3030", "ファモチジン錠", "", "3.00", 1),
                      masterRow("620000013", "2325003B2032", "ファモチジン散", "", "", 1),
                      masterRow("620000014", "1149019F1560", "ロキソニン錠", "", "10.10")}),
              DRUGBASE_OK);
    // Brand, generic, brand without generics, no row; a code asked twice answered twice.
    EXPECT_EQ(
        facts({"2325003B2029", "2325003B2031", "1149019F1560", "9999999X9999", "2325003B2029"}),
        (std::vector<std::string>{"0 錠 950 570", "1 錠 570 -1", "0 錠 1010 -1", "<none>",
                                  "0 錠 950 570"}));
    EXPECT_EQ(added, 0);
    DrugCodeMapEntry entry{};
    ASSERT_EQ(MasterCode("610406079", &entry), DRUGBASE_OK);
    EXPECT_EQ(text(entry.YJCODE), "2325003B2029");
    EXPECT_EQ(text(entry.generalNameCode), "2325003B2ZZZ");
    EXPECT_EQ(text(entry.generalName), "【般】ファモチジン散２％");
    EXPECT_EQ(mapped("620000001"), "");
    EXPECT_EQ(mapped("699999999"), "<none>");
    EXPECT_EQ(count("Medicine_Information"), "0");

    // A newer master replaces the map whole: codes it lacks are gone.
    ASSERT_EQ(import({masterRow("620000002", "1149019F1560", "ロキソニン錠６０ｍｇ")}),
              DRUGBASE_OK);
    EXPECT_EQ(mapped("610406079"), "<none>");
    EXPECT_EQ(mapped("620000002"), "1149019F1560");
    EXPECT_TRUE(messages.empty());
}

TEST_P(MasterImportTest, AddDrugsAddsOnlyMissingYjCodesWithDerivedColumns) {
    supply({drug("2325003B2029", "ガスター散２％", {{"CODE", "がすた"}}),
            drug("9999999X9999", "ガスター錠１０ｍｇ", {{"CODE", "がすた２"}})});
    std::vector<DrugMasterRow> rows = {
        masterRow("610406079", "2325003B2029", "ガスター散２％", "【般】ファモチジン散２％"),
        masterRow("610406080", "2325003F1030", "ガスターＤ錠１０ｍｇ",
                  "【般】ファモチジン口腔内崩壊錠１０ｍｇ"),
        masterRow("610406081", "2325003F1030", "ガスターＤ錠１０ｍｇ（別包装）"),
        masterRow("620000003", "2171022M1111", "アダラートＣＲカプセル")};
    std::vector<int> progress;
    ASSERT_EQ(MasterImport(
                  rows.data(), 4, 1,
                  [](void* c, int done, int total) {
                      EXPECT_EQ(total, 4);
                      static_cast<std::vector<int>*>(c)->push_back(done);
                  },
                  &progress, &added),
              DRUGBASE_OK);
    EXPECT_EQ(added, 2);
    EXPECT_EQ(progress, std::vector<int>{4});
    EXPECT_EQ(count("Medicine_Information"), "4");
    // The drug already there keeps its own texts; "がすた" and "がすた２" are taken by the drugs
    // already there: the next number is free.
    EXPECT_EQ(stored("CODE", "2325003B2029"), "がすた");
    EXPECT_EQ(stored("PRODUCTNAME || '|' || GENERALNAME || '|' || ZAIKEI || '|' || TANNI || '|' || "
                     "YAKUKA || '|' || ORIDGINAL || '|' || LISTNAME || '|' || CODE",
                     "2325003F1030"),
              "ガスターＤ錠１０ｍｇ|ファモチジン口腔内崩壊錠１０ｍｇ|錠|錠|10.10|0|"
              "ガスターＤ錠１０ｍｇ|がすた３");
    EXPECT_EQ(stored("ZAIKEI || CODE", "2171022M1111"), "カプセルあだら");
}

TEST(MasterDrugTexts, DosageFormWordPrefersTheSpecificWord) {
    const auto form = [](const char* name) {
        return sjis::toUtf8(drugbase::dosageFormWord(sjis::fromUtf8(name)));
    };
    EXPECT_EQ(form("ムコダインＤＳ５０％ドライシロップ"), "ドライシロップ");
    EXPECT_EQ(form("カロナール細粒２０％"), "細粒");
    EXPECT_EQ(form("ツムラ葛根湯エキス顆粒（医療用）"), "顆粒");
    EXPECT_EQ(form("クラビット点眼液１．５％"), "点眼");
    EXPECT_EQ(form("ヒルドイドソフト軟膏０．３％"), "軟膏");
    EXPECT_EQ(form("ガーゼ"), "");
    EXPECT_EQ(sjis::toUtf8(drugbase::plainGeneralName(sjis::fromUtf8("【般】ロキソプロフェン錠"))),
              "ロキソプロフェン錠");
}

TEST_P(MasterImportTest, RefusedOrFailedImportWritesNothing) {
    ASSERT_EQ(import({masterRow("610406079", "2325003B2029", "ガスター散２％")}), DRUGBASE_OK);

    // The same code twice is refused before anything is written.
    EXPECT_EQ(import({masterRow("620000001", "1149019F1560", "ロキソニン錠"),
                      masterRow("620000001", "1149019F1561", "ロキソニン錠")},
                     true),
              DRUGBASE_CONDITION);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "医薬品コード620000001が重複しています。");
    EXPECT_EQ(added, -1);

    // A streamed source that cannot go on after its first row leaves the map as it was.
    const auto oneThenFail = [](void* given, DrugMasterRow* row) {
        if (std::exchange(*static_cast<bool*>(given), true)) return -1;
        *row = masterRow("620000002", "1149019F1560", "ロキソニン錠");
        return 1;
    };
    bool given = false;
    EXPECT_EQ(MasterImportStream(oneThenFail, &given, 2, 0, nullptr, nullptr, &added),
              DRUGBASE_CONDITION);
    EXPECT_EQ(mapped("620000002"), "<none>");

    // A write failing at the last row rolls back the map and the drugs added before it.
    ASSERT_TRUE(raw()->exec(data.refusal("Code_Map", "INSERT", "NEW.RECEIPTCODE = '620000009'")));
    EXPECT_EQ(import({masterRow("620000008", "1149019F1560", "ロキソニン錠"),
                      masterRow("620000009", "1149019F1570", "ロキソニン錠")},
                     true),
              DRUGBASE_DB_FAILURE);
    EXPECT_EQ(messages.back(), "Error:RECORDSET.Update");
    EXPECT_EQ(mapped("610406079"), "2325003B2029");
    EXPECT_EQ(mapped("620000008"), "<none>");
    EXPECT_EQ(count("Medicine_Information"), "0");
}

TEST_P(MasterImportTest, FileMadeBeforeTheCodeMapGetsItOnFirstUse) {
    ASSERT_TRUE(raw()->exec("DROP TABLE Code_Map"));
    EXPECT_EQ(mapped("610406079"), "<none>");
    ASSERT_TRUE(raw()->exec("DROP TABLE Code_Map"));
    EXPECT_EQ(facts({"2325003B2029"}), std::vector<std::string>{"<none>"});
    // A file's code map made before the master's facts gets their columns at the import (a
    // server gets them from its schema step).
    if (GetParam() == Engine::Files) {
        ASSERT_TRUE(
            raw()->exec("CREATE TABLE Code_Map (RECEIPTCODE TEXT, YJCODE TEXT, "
                        "GENERALNAMECODE TEXT, GENERALNAME TEXT)"));
    }
    ASSERT_EQ(import({masterRow("610406079", "2325003B2029", "ガスター散２％")}), DRUGBASE_OK);
    EXPECT_EQ(mapped("610406079"), "2325003B2029");
    EXPECT_EQ(facts({"2325003B2029"}), std::vector<std::string>{"0 錠 1010 -1"});
    EXPECT_TRUE(messages.empty());
}

TEST(MasterPrices, PricesAreExactHundredths) {
    struct Case {
        const char* text;
        long long hundredths;  // -1: not a price
    };
    const Case cases[] = {{"9.50", 950},       {"9.5", 950},  {"12", 1200}, {"0.07", 7},
                          {"1234.56", 123456}, {"", -1},      {".", -1},    {"1.234", -1},
                          {"1,000", -1},       {"1.2.3", -1}, {"-5", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(drugbase::priceHundredths(c.text).value_or(-1), c.hundredths);
    }
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(MasterImportTest);
