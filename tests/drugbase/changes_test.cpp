#include "audit/trail.h"
#include "catalogue_fixture.h"

namespace {

class Changes : public OnEachEngine<CatalogueTest> {
  protected:
    DrugRecord userDrug(const char* yj, const char* name, const char* code) {
        DrugRecord r{};
        SET(r, YJCODE, yj);
        SET(r, PRODUCTNAME, name);
        SET(r, CODE, code);
        SET(r, GENERALNAME, "一般名");
        SET(r, SAYOA, "血圧を下げます。");
        r.SAYO_HYOUJI = 1;
        r.CYUUI_HYOUJI = 2;
        r.PHOTO1 = r.PHOTO6 = 1;  // ignored: only supplied data has photographs
        r.PHOTO_HYOUJI = 3;
        r.LISTHYOUJI = 0;  // ignored: a created drug is adopted
        r.ORIDGINAL = 0;   // ignored: a created drug is the user's own
        return r;
    }
};

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(Changes);

TEST_P(Changes, CreateStoresTheUsersDrugWithDerivedColumns) {
    const DrugRecord r = userDrug("U1", "マイ錠", "my1");
    ASSERT_EQ(RecordCreate(&r), 0);
    EXPECT_EQ(stored("LISTNAME || LISTHYOUJI || ORIDGINAL || OPTION1 || PHOTO1 || PHOTO6", "U1"),
              "マイ錠11-100");
    // Empty texts are stored as NULL.
    EXPECT_EQ(stored("coalesce(PHOTO_TOROKU, TANNI, CAST(OPTION2 AS TEXT), 'all NULL')", "U1"),
              "all NULL");
    DrugRecord back{};
    ASSERT_EQ(RecordDetail(&back, "U1"), 0);
    EXPECT_EQ(text(back.SAYOA), "血圧を下げます。");
    EXPECT_EQ((std::vector{back.SAYO_HYOUJI, back.CYUUI_HYOUJI, back.PHOTO_HYOUJI, back.PHOTO1}),
              (std::vector{1, 2, 3, 0}));

    // Without a product name nothing is added; a user photograph path is kept.
    DrugRecord unnamed = userDrug("U2", "", "x");
    EXPECT_EQ(RecordCreate(&unnamed), 0);
    EXPECT_EQ(stored("YJCODE", "U2"), "<no row>");
    SET(unnamed, PRODUCTNAME, "名");
    SET(unnamed, PHOTO_TOROKU, "/写真/a.jpg");
    ASSERT_EQ(RecordCreate(&unnamed), 0);
    EXPECT_EQ(stored("PHOTO_TOROKU", "U2"), "/写真/a.jpg");

    // The sort class of the N code follows its first byte.
    const std::pair<const char*, const char*> classes[] = {
        {"かな", "0"}, {"漢字", "0"}, {"Ａ全角", "0"}, {"abc", "-1"},
        {"9", "-1"},   {"ｶﾅ", "-1"},  {"", "-1"}};
    int n = 0;
    for (const auto& [code, expected] : classes) {
        const std::string yj = "C" + std::to_string(n++);
        const DrugRecord c = userDrug(yj.c_str(), "薬", code);
        ASSERT_EQ(RecordCreate(&c), 0);
        EXPECT_EQ(stored("OPTION1", yj), expected) << code;
    }
}

TEST_P(Changes, FullEditRewritesFieldsAndMayChangeTheKey) {
    supply({drug("S1", "元の名",
                 {{"CODE", "ABC"}, {"PHOTO2", "1"}, {"PHOTO_HYOUJI", "2"}, {"LISTHYOUJI", "0"}})});
    ASSERT_TRUE(
        raw()->exec("UPDATE Medicine_Information SET LISTNAME = '☆元の名' WHERE YJCODE = 'S1'"));
    DrugRecord r = userDrug("S1-NEW", "新しい名", "あいう");
    r.PHOTO_HYOUJI = 7;
    ASSERT_EQ(RecordEdit(&r, "S1", 0), 0);
    EXPECT_EQ(stored("YJCODE", "S1"), "<no row>");
    EXPECT_EQ(stored("LISTNAME", "S1-NEW"), "新しい名");  // the list-name marker is gone
    EXPECT_EQ(stored("CODE || OPTION1 || LISTHYOUJI", "S1-NEW"), "あいう01");
    // Photograph columns and the origin stay as they were.
    EXPECT_EQ(stored("CAST(PHOTO2 AS TEXT) || PHOTO_HYOUJI || ORIDGINAL", "S1-NEW"), "120");

    // An empty product name becomes NULL but LISTNAME keeps its text; an empty YJ code NULL.
    SET(r, PRODUCTNAME, "");
    SET(r, YJCODE, "");
    ASSERT_EQ(RecordEdit(&r, "S1-NEW", 0), 0);
    EXPECT_EQ(storedText("SELECT coalesce(PRODUCTNAME, 'N') || LISTNAME || coalesce(YJCODE, 'N') "
                         "FROM Medicine_Information"),
              "N新しい名N");
}

TEST_P(Changes, PhotographEditsTouchOnlyTheirColumns) {
    // Of two drugs with one YJ code, an edit changes the first in name order.
    supply({drug("D1", "甲薬", {})});
    ASSERT_TRUE(raw()->exec(
        "INSERT INTO Medicine_Information (YJCODE, PRODUCTNAME) VALUES ('D1', '乙薬')"));
    DrugRecord r = userDrug("D1", "", "");
    r.PHOTO_HYOUJI = 4;
    ASSERT_EQ(RecordEdit(&r, "D1", 1), 0);
    EXPECT_EQ(storedText("SELECT PRODUCTNAME FROM Medicine_Information WHERE PHOTO_HYOUJI = 4"),
              "乙薬");

    r = userDrug("P1", "写真薬", "p");
    ASSERT_EQ(RecordCreate(&r), 0);
    DrugRecord change = userDrug("OTHER", "別名", "q");
    change.PHOTO_HYOUJI = 5;
    SET(change, PHOTO_TOROKU, "/u/p.jpg");
    ASSERT_EQ(RecordEdit(&change, "P1", 1), 0);
    EXPECT_EQ(stored("PHOTO_HYOUJI || PRODUCTNAME || coalesce(PHOTO_TOROKU, '')", "P1"), "5写真薬");
    change.PHOTO_HYOUJI = 7;
    ASSERT_EQ(RecordEdit(&change, "P1", 2), 0);
    EXPECT_EQ(stored("PHOTO_HYOUJI || PHOTO_TOROKU", "P1"), "7/u/p.jpg");
    SET(change, PHOTO_TOROKU, "");
    ASSERT_EQ(RecordEdit(&change, "P1", 2), 0);
    EXPECT_EQ(stored("PHOTO_TOROKU", "P1"), "<null>");
    ASSERT_EQ(RecordEdit(&change, "P1", 9), 0);  // an unknown mode changes nothing
    ASSERT_EQ(RecordEdit(&change, "NOPE", 0), 0);
    EXPECT_EQ(stored("PRODUCTNAME", "P1"), "写真薬");
    EXPECT_TRUE(messages.empty());
}

TEST_P(Changes, UniquenessChecksCompareTheHalfWidthCode) {
    supply({drug("YJ12345678AB", "A", {{"CODE", "ABCDEFGHIJKLMNOP"}}),
            drug("Q'1", "B", {{"CODE", "it's"}})});
    const auto cp = [](const char* s) { return sjis::fromUtf8(s); };
    // YJ codes: full-width, as stored, shorter, with a quote, empty.
    EXPECT_EQ((std::vector{RecordCreate00(cp("ＹＪ１２３４５６７８ＡＢ").c_str()),
                           RecordCreate00("YJ12345678AB"), RecordCreate00("YJ12345678A"),
                           RecordCreate00("Q'1"), RecordCreate00("")}),
              (std::vector{1, 1, 0, 1, 0}));
    // N codes: a 16-character full-width one is converted whole; a shorter one; a quote.
    EXPECT_EQ((std::vector{RecordCreate01(cp("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ").c_str()),
                           RecordCreate01(cp("ＡＢＣＤＥＦＧＨＩＪＫＬ").c_str()),
                           RecordCreate01("it's")}),
              (std::vector{1, 0, 1}));
    // Any drug's code when creating; on a correction the drug keeps its own code.
    EXPECT_EQ((std::vector{RecordCreate44("it's", "whatever", 1), RecordCreate44("it's", "Q'1", 0),
                           RecordCreate44("it's", "other", 0), RecordCreate44("it's", "", 0)}),
              (std::vector{1, 0, 1, 1}));
    EXPECT_TRUE(messages.empty());
}

TEST_P(Changes, OnlyTheUsersOwnDrugsMayBeDeleted) {
    supply({drug("S1", "供給薬")});
    const DrugRecord mine = userDrug("U'1", "自作薬", "");
    ASSERT_EQ(RecordCreate(&mine), 0);
    EXPECT_EQ(RecordDell00("S1"), 1);
    EXPECT_EQ(RecordDell00("U'1"), 0);
    EXPECT_EQ(RecordDell00("NOPE"), 0);
    EXPECT_EQ(RecordDell("U'1"), 0);
    EXPECT_EQ(RecordDell("NOPE"), 0);
    EXPECT_EQ(storedText("SELECT " + data.listOf("YJCODE") + " FROM Medicine_Information"), "S1");
}

TEST_P(Changes, AFailedWriteIsReportedAndLeavesTheCatalogueWhole) {
    const DrugRecord r = userDrug("U1", "薬", "c");
    ASSERT_EQ(RecordCreate(&r), 0);
    failOn("PRODUCTNAME", "新");  // as a full disk refuses the update
    DrugRecord changed = userDrug("U1", "新", "c");
    EXPECT_EQ(RecordEdit(&changed, "U1", 0), 99);
    EXPECT_EQ(messages.back(), "Error:RECORDSET.Update");
    EXPECT_EQ(stored("PRODUCTNAME", "U1"), "薬");
}

// A lookup by name key finds the drugs by the names the writes gave them, however the name was
// written: a load, a registration, a correction; a deleted drug is not found. A file made before
// the keys gets them at its first lookup or write. A server keeps none and says so.
TEST_P(Changes, NameKeysFollowEveryWriteOfAName) {
    const auto byKey = [](const char* name) {
        ViewCollector found;
        const std::string key = sjis::nameKey(sjis::fromUtf8(name));
        const int result = RecordByNameKey(key.c_str(), &found.sink);
        return result == 0 ? found.texts() : Strings{"result " + std::to_string(result)};
    };
    if (data.onServer()) {
        EXPECT_EQ(byKey("マイ錠"), Strings{"result 1"});
        return;
    }
    const auto withoutKeys = [&] {
        ASSERT_TRUE(raw()->exec("DROP TABLE Name_Key"));
        RecordClose();
        ASSERT_EQ(RecordOpen(folder().c_str(), nullptr), 0);
    };
    const DrugRecord mine = userDrug("U1", "マイ錠", "my1"),
                     renamed = userDrug("U2", "ワタシ錠", "my2"),
                     gone = userDrug("U3", "ケス錠", "my3"), late = userDrug("U4", "アト錠", "my4");
    // Loaded: two spellings of one key.
    supply({drug("S1", "サプライ錠１０ｍｇ"), drug("S2", "サプライ 錠10mg")});
    const Strings supplied{"S2:サプライ 錠10mg", "S1:サプライ錠１０ｍｇ"};
    EXPECT_EQ(byKey("ｻﾌﾟﾗｲ錠10mg"), supplied);
    ASSERT_EQ(RecordCreate(&mine), 0);
    EXPECT_EQ(byKey("マイ錠"), Strings{"U1:マイ錠"});
    ASSERT_EQ(RecordEdit(&renamed, "U1", 0), 0);
    EXPECT_EQ(byKey("ワタシ錠"), Strings{"U2:ワタシ錠"});
    EXPECT_EQ(byKey("マイ錠"), Strings{}) << "the name before the correction";
    ASSERT_EQ(RecordCreate(&gone), 0);
    ASSERT_EQ(RecordDell("U3"), 0);
    EXPECT_EQ(byKey("ケス錠"), Strings{});
    withoutKeys();
    EXPECT_EQ(byKey("サプライ錠10mg"), supplied) << "a file without keys, looked up";
    withoutKeys();
    ASSERT_EQ(RecordCreate(&late), 0);
    EXPECT_EQ(byKey("アト錠"), Strings{"U4:アト錠"}) << "a file without keys, written";
    EXPECT_TRUE(messages.empty());
}

TEST_P(Changes, EachChangeLeavesAnAuditRowNamingTheDrugAndTheChangedFields) {
    const DrugRecord mine = userDrug("U1", "自作薬", "c1");
    ASSERT_EQ(RecordCreate(&mine), 0);
    DrugRecord changed = mine;
    SET(changed, PRODUCTNAME, "自作錠");
    SET(changed, SAYOA, "よく効きます。");
    ASSERT_EQ(RecordEdit(&changed, "U1", 0), 0);
    ASSERT_EQ(RecordEdit(&changed, "U1", 1), 0);
    ASSERT_EQ(RecordDell("U1"), 0);
    ASSERT_EQ(RecordDell("U1"), 0);  // nothing left to delete: no row
    std::vector<audit::Row> rows;
    std::string error;
    ASSERT_TRUE(audit::readRows(*raw(), rows, &error)) << error;
    std::vector<std::string> seen;
    for (const audit::Row& row : rows) seen.push_back(row.action + " " + row.detail);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "drug.register YJCODE U1", "drug.correct YJCODE U1: PRODUCTNAME SAYOA",
                        "drug.correct YJCODE U1: PHOTO_HYOUJI", "drug.delete YJCODE U1"}));
    EXPECT_FALSE(audit::firstBrokenRow(rows));
}
