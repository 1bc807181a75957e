#include "catalogue_fixture.h"

namespace {

class Changes : public CatalogueTest {
  protected:
    DrugRecord userDrug(const char* yj, const char* name, const char* code) {
        DrugRecord r{};
        SET(r, YJCODE, yj);
        SET(r, PRODUCTNAME, name);
        SET(r, CODE, code);
        SET(r, GENERALNAME, "一般名");
        SET(r, SAYOA, "血圧を下げます。");
        SET(r, CYUUI, "●めまいに注意。");
        r.SAYO_HYOUJI = 1;
        r.CYUUI_HYOUJI = 2;
        r.PHOTO1 = r.PHOTO6 = 1;  // ignored: only supplied data has photographs
        r.PHOTO_HYOUJI = 3;
        r.LISTHYOUJI = 0;  // ignored: a created drug is adopted
        r.ORIDGINAL = 0;   // ignored: a created drug is the user's own
        return r;
    }
    std::string column(const char* name, const char* yj) {
        return storedText(std::string("SELECT ") + name +
                          " FROM Medicine_Information WHERE YJCODE = '" + yj + "'");
    }
};

}  // namespace

TEST_F(Changes, CreateStoresTheUsersDrugWithDerivedColumns) {
    const DrugRecord r = userDrug("U1", "マイ錠", "my1");
    ASSERT_EQ(RecordCreate(&r), 0);
    EXPECT_EQ(column("LISTNAME", "U1"), "マイ錠");
    EXPECT_EQ(column("LISTHYOUJI", "U1"), "1");
    EXPECT_EQ(column("ORIDGINAL", "U1"), "1");
    EXPECT_EQ(column("OPTION1", "U1"), "-1");
    EXPECT_EQ(column("PHOTO1 || PHOTO6", "U1"), "00");
    EXPECT_EQ(column("PHOTO_TOROKU", "U1"), "<null>");
    EXPECT_EQ(column("TANNI", "U1"), "<null>");  // empty texts are stored as NULL
    EXPECT_EQ(column("OPTION2", "U1"), "<null>");

    DrugRecord back;
    std::memset(&back, 0, sizeof back);
    ASSERT_EQ(RecordDetail(&back, "U1"), 0);
    EXPECT_EQ(text(back.SAYOA), "血圧を下げます。");
    EXPECT_EQ(back.SAYO_HYOUJI, 1);
    EXPECT_EQ(back.CYUUI_HYOUJI, 2);
    EXPECT_EQ(back.PHOTO_HYOUJI, 3);
    EXPECT_EQ(back.PHOTO1, 0);
}

TEST_F(Changes, SortClassOfTheCodeFollowsItsFirstByte) {
    const std::pair<const char*, const char*> cases[] = {
        {"かな", "0"}, {"漢字", "0"}, {"Ａ全角", "0"}, {"abc", "-1"},
        {"9", "-1"},   {"ｶﾅ", "-1"},  {"", "-1"}};
    int n = 0;
    for (const auto& [code, expected] : cases) {
        const std::string yj = "C" + std::to_string(n++);
        const DrugRecord r = userDrug(yj.c_str(), "薬", code);
        ASSERT_EQ(RecordCreate(&r), 0);
        EXPECT_EQ(column("OPTION1", yj.c_str()), expected) << code;
    }
}

TEST_F(Changes, CreateWithoutAProductNameAddsNothing) {
    DrugRecord r = userDrug("U2", "", "x");
    EXPECT_EQ(RecordCreate(&r), 0);
    EXPECT_EQ(column("YJCODE", "U2"), "<no row>");
    SET(r, PRODUCTNAME, "名");
    SET(r, PHOTO_TOROKU, "/写真/a.jpg");
    ASSERT_EQ(RecordCreate(&r), 0);
    EXPECT_EQ(column("PHOTO_TOROKU", "U2"), "/写真/a.jpg");
}

TEST_F(Changes, FullEditRewritesFieldsAndMayChangeTheKey) {
    supply({{{"YJCODE", "S1"},
             {"PRODUCTNAME", "元の名"},
             {"CODE", "ABC"},
             {"PHOTO2", "1"},
             {"PHOTO_HYOUJI", "2"},
             {"LISTHYOUJI", "0"}}});
    ASSERT_TRUE(sqlkit::exec(
        raw().get(), "UPDATE Medicine_Information SET LISTNAME = '☆元の名' WHERE YJCODE = 'S1'"));
    DrugRecord r = userDrug("S1-NEW", "新しい名", "あいう");
    r.PHOTO_HYOUJI = 7;
    ASSERT_EQ(RecordEdit(&r, "S1", 0), 0);
    EXPECT_EQ(column("YJCODE", "S1"), "<no row>");
    EXPECT_EQ(column("LISTNAME", "S1-NEW"), "新しい名");  // the list-name marker is gone
    EXPECT_EQ(column("CODE || OPTION1 || LISTHYOUJI", "S1-NEW"), "あいう01");
    // Photograph columns and the origin stay as they were.
    EXPECT_EQ(column("PHOTO2 || PHOTO_HYOUJI || ORIDGINAL", "S1-NEW"), "120");

    // An empty product name becomes NULL but LISTNAME keeps its text; an empty YJ code NULL.
    SET(r, PRODUCTNAME, "");
    SET(r, YJCODE, "");
    ASSERT_EQ(RecordEdit(&r, "S1-NEW", 0), 0);
    EXPECT_EQ(storedText("SELECT coalesce(PRODUCTNAME, 'N') || LISTNAME || coalesce(YJCODE, 'N') "
                         "FROM Medicine_Information"),
              "N新しい名N");
}

TEST_F(Changes, PhotographEditsTouchOnlyTheirColumns) {
    DrugRecord r = userDrug("P1", "写真薬", "p");
    ASSERT_EQ(RecordCreate(&r), 0);
    DrugRecord change = userDrug("OTHER", "別名", "q");
    change.PHOTO_HYOUJI = 5;
    SET(change, PHOTO_TOROKU, "/u/p.jpg");
    ASSERT_EQ(RecordEdit(&change, "P1", 1), 0);
    EXPECT_EQ(column("PHOTO_HYOUJI || PRODUCTNAME", "P1"), "5写真薬");
    EXPECT_EQ(column("PHOTO_TOROKU", "P1"), "<null>");
    change.PHOTO_HYOUJI = 7;
    ASSERT_EQ(RecordEdit(&change, "P1", 2), 0);
    EXPECT_EQ(column("PHOTO_HYOUJI || PHOTO_TOROKU", "P1"), "7/u/p.jpg");
    SET(change, PHOTO_TOROKU, "");
    ASSERT_EQ(RecordEdit(&change, "P1", 2), 0);
    EXPECT_EQ(column("PHOTO_TOROKU", "P1"), "<null>");
    ASSERT_EQ(RecordEdit(&change, "P1", 9), 0);  // an unknown mode changes nothing
    ASSERT_EQ(RecordEdit(&change, "NOPE", 0), 0);
    EXPECT_EQ(column("PRODUCTNAME", "P1"), "写真薬");
    EXPECT_TRUE(messages.empty());
}

TEST_F(Changes, UniquenessChecksCompareTheHalfWidthCode) {
    supply({{{"YJCODE", "YJ12345678AB"}, {"PRODUCTNAME", "A"}, {"CODE", "ABCDEFGHIJKLMNOP"}},
            {{"YJCODE", "Q'1"}, {"PRODUCTNAME", "B"}, {"CODE", "it's"}}});
    const auto cp = [](const char* s) { return sjis::fromUtf8(s); };
    EXPECT_EQ(RecordCreate00(cp("ＹＪ１２３４５６７８ＡＢ").c_str()), 1);
    EXPECT_EQ(RecordCreate00("YJ12345678AB"), 1);
    EXPECT_EQ(RecordCreate00("YJ12345678A"), 0);
    EXPECT_EQ(RecordCreate00("Q'1"), 1);
    EXPECT_EQ(RecordCreate00(""), 0);
    // A 16-character full-width N code is converted whole.
    EXPECT_EQ(RecordCreate01(cp("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ").c_str()), 1);
    EXPECT_EQ(RecordCreate01(cp("ＡＢＣＤＥＦＧＨＩＪＫＬ").c_str()), 0);
    EXPECT_EQ(RecordCreate01("it's"), 1);
    EXPECT_EQ(RecordCreate44("it's", "whatever", 1), 1);
    EXPECT_EQ(RecordCreate44("it's", "Q'1", 0), 0);  // the drug keeps its own code
    EXPECT_EQ(RecordCreate44("it's", "other", 0), 1);
    EXPECT_EQ(RecordCreate44("it's", "", 0), 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Changes, OnlyTheUsersOwnDrugsMayBeDeleted) {
    supply({{{"YJCODE", "S1"}, {"PRODUCTNAME", "供給薬"}}});
    const DrugRecord mine = userDrug("U'1", "自作薬", "");
    ASSERT_EQ(RecordCreate(&mine), 0);
    EXPECT_EQ(RecordDell00("S1"), 1);
    EXPECT_EQ(RecordDell00("U'1"), 0);
    EXPECT_EQ(RecordDell00("NOPE"), 0);
    EXPECT_EQ(RecordDell("U'1"), 0);
    EXPECT_EQ(RecordDell("NOPE"), 0);
    EXPECT_EQ(storedText("SELECT group_concat(YJCODE) FROM Medicine_Information"), "S1");
}

TEST_F(Changes, AFailedWriteIsReportedAndLeavesTheCatalogueWhole) {
    const DrugRecord r = userDrug("U1", "薬", "c");
    ASSERT_EQ(RecordCreate(&r), 0);
    // A trigger planted by another program refuses every update.
    ASSERT_TRUE(sqlkit::exec(raw().get(),
                             "CREATE TRIGGER refuse BEFORE UPDATE ON "
                             "Medicine_Information BEGIN SELECT RAISE(ABORT, 'no'); END"));
    DrugRecord changed = userDrug("U1", "新", "c");
    EXPECT_EQ(RecordEdit(&changed, "U1", 0), 99);
    EXPECT_EQ(messages.back(), "Error:RECORDSET.Update");
    EXPECT_EQ(column("PRODUCTNAME", "U1"), "薬");
}
