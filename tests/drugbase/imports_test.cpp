#include "import_fixture.h"

namespace {

constexpr const char* kGuidance = "7服薬指導CDテキストデータ/YJHA0601.K3";
constexpr const char* kIdentification = "2識別コードデータ/YJSH0410.K3";
constexpr const char* kProcessing = "4処理用データ/YJSU0601.K3";
constexpr const char* kClassNames = "4処理用データ/Saibun.K3";

class Guidance : public OnEachEngine<ImportTest> {
  protected:
    void SetUp() override {
        ImportTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        supply({drug("111111111111", "一錠", {{"SAYOB", "元の作用B"}, {"CYUUI", "元の注意"}}),
                drug("222222222222", "二錠", {{"SAYOA", "元の作用A"}})});
    }
};

TEST_P(Guidance, StoresEachNonEmptyTextUpToTheFirstLineWithoutAnOpeningQuote) {
    writeK3(kGuidance, {
                           R"("111111111111","作用Ａ,コンマ入り","","Ｃ１","Ｃ２","")",
                           R"("999999999999","知らない薬","","","","")",
                           R"("222222222222";"","作用Ｂ","","","注意事項")",  // bad separator
                           "",
                           R"("222222222222","読まれない","","","","")",
                       });
    ASSERT_EQ(FUKUYOTEXT(), 0);
    EXPECT_EQ(stored("SAYOA", "111111111111"), "作用Ａ,コンマ入り");
    EXPECT_EQ(stored("SAYOB", "111111111111"), "元の作用B");  // empty field: kept
    EXPECT_EQ(stored("SAYOC1 || SAYOC2 || CYUUI", "111111111111"), "Ｃ１Ｃ２元の注意");
    EXPECT_EQ(stored("SAYOA || SAYOB || CYUUI", "222222222222"), "元の作用A作用Ｂ注意事項");
    // The bad separator is reported and its record still read; the unknown code is counted
    // though it changed nothing.
    EXPECT_EQ(messages,
              (Strings{"Error:服薬指導CDテキストデータ\r\nファイル名「YJHA507.K3」\r\n\r\n"
                       "読み込み失敗",
                       doneMessage(kGuidanceDone, 3)}));
}

TEST_P(Guidance, OverlongTextsAreCutAtACharacterBoundaryAndACutOffFieldIsNotStored) {
    // 300 two-byte characters (600 bytes) for a field of 499 bytes, where a cut at 499 would
    // split a character; the line also holds a 20,000-byte field. LF line ends, and the file
    // ends without a line break inside field 3 of the last record.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "薬";
    writeK3(
        kGuidance,
        {"\"111111111111\",\"" + wide + "\",\"" + std::string(20000, 'b') + "\",\"\",\"\",\"\"\n",
         R"("222222222222","甲","乙","丙の途中)"},
        "");
    ASSERT_EQ(FUKUYOTEXT(), 0);
    const std::string a = sjis::fromUtf8(stored("SAYOA", "111111111111"));
    EXPECT_EQ(a.size(), 498u);  // 249 characters
    EXPECT_EQ(a.substr(0, 2), sjis::fromUtf8("薬"));
    EXPECT_EQ(stored("SAYOB", "111111111111"), std::string(499, 'b'));
    DrugRecord record{};
    ASSERT_EQ(RecordDetail(&record, "111111111111"), 0);
    EXPECT_EQ(std::string(record.SAYOA), a);
    EXPECT_EQ(stored("SAYOA || SAYOB || coalesce(SAYOC1, '-')", "222222222222"), "甲乙-");
    EXPECT_EQ(messages, Strings{doneMessage(kGuidanceDone, 2)});
}

TEST_P(Guidance, AMissingFileChangesNothing) {
    EXPECT_EQ(FUKUYOTEXT(), 2);
    RecordSetImportFolder(nullptr);
    writeK3(kGuidance, {R"("111111111111","一","","","","")"});
    EXPECT_EQ(FUKUYOTEXT(), 2);  // no import folder set
    EXPECT_EQ(TOROKU(), 0);
    EXPECT_EQ(messages, Strings(3, "Error:fopenエラー"));
    RecordSetImportFolder(importFolder().c_str());
    EXPECT_EQ(TOROKU(), 0);  // and it does import
    EXPECT_EQ(stored("SAYOA", "111111111111"), "一");
}

TEST_P(Guidance, ADatabaseFailureLeavesTheWholeFileUnstored) {
    failOn("SAYOA", "壊");
    writeK3(kGuidance,
            {R"("111111111111","一","","","","")", R"("222222222222","壊","","","","")"});
    EXPECT_EQ(FUKUYOTEXT(), 99);
    EXPECT_EQ(stored("SAYOA", "111111111111"), "<null>");
    EXPECT_EQ(messages, Strings{"Error:RECORDSET.Update"});
}

TEST_F(ImportTest, ADamagedCatalogueFileIsRefusedBeforeAnyImportOrPass) {
    std::vector<drugbase::SuppliedDrug> drugs;
    for (int i = 0; i < 200; ++i)
        drugs.push_back(drug(std::to_string(100000000000 + i), "薬" + std::to_string(i),
                             {{"MEMO", std::string(400, 'm')}}));
    supply(drugs);
    const auto pages = std::filesystem::file_size(file()) / 4096;
    {
        std::fstream f(file(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(pages / 2 * 4096 + 1000));
        f << std::string(64, 'x');
    }
    writeK3(kGuidance, {R"("100000000001","一","","","","")"});
    EXPECT_EQ(FUKUYOTEXT(), 99);
    EXPECT_EQ(Record00(), 99);
    EXPECT_EQ(messages, Strings(2, "Error:DATABASE.Open"));
}

TEST_P(Guidance, NoMoreThan40001RecordsAreRead) {
    std::vector<std::string> lines(40001, R"("000000000000","","","","","")");
    lines.push_back(R"("111111111111","40002番目","","","","")");
    writeK3(kGuidance, lines);
    ASSERT_EQ(FUKUYOTEXT(), 0);
    EXPECT_EQ(stored("SAYOA", "111111111111"), "<null>");
    EXPECT_EQ(messages, Strings{doneMessage(kGuidanceDone, 40001)});
}

class Identification : public OnEachEngine<ImportTest> {
  protected:
    // A 24-byte key: the YJ code in full-width characters.
    const std::string key = "１２３４５６７８９０ＡＢ";
    void SetUp() override {
        ImportTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        supply({drug(key, "識別錠", {{"COLOR", "元の色"}, {"WARISEN", "無"}}),
                drug("123456789012", "半角錠", {{"WARISEN", "無"}})});
    }
};

TEST_P(Identification, QuotedCommasStayAndTheFourthFieldIsTheScoreLine) {
    writeK3(kIdentification, {"\"" + key + R"("|"A","B","C")",  // bad separator
                              "\"" + key + R"(","ＳＰ 1,2",PTP "A,B",,"有")",
                              "\"" + key + R"(","開いたまま)",  // unclosed: ignored
                              R"("123456789012            ","X","Y","Z","有")"});
    ASSERT_EQ(YJSH(), 0);
    // The color stays from the record before: the field is empty.
    EXPECT_EQ(stored("HONTAICODE || '|' || HOUSOUCODE || '|' || COLOR || WARISEN", key),
              "ＳＰ 1,2|PTP A,B|C有");
    // The key is compared whole, padding included: no drug has it.
    EXPECT_EQ(stored("HONTAICODE", "123456789012"), "<null>");
    EXPECT_EQ(messages,
              (Strings{"Error:識別コードデータ\r\nファイル名「YJSH.K3」\r\n\r\n読み込み失敗",
                       doneMessage(kIdentificationDone, 4)}));
}

TEST_P(Identification, TheScoreLineIsSetWheneverItIsThereAndKeptWhenNot) {
    writeK3(kIdentification, {"\"" + key + R"(","A","B","C","  ")"});
    ASSERT_EQ(YJSH(), 0);
    EXPECT_EQ(stored("WARISEN", key), "  ");
    writeK3(kIdentification, {"\"" + key + R"(","A","B","緑")"});
    ASSERT_EQ(YJSH(), 0);
    EXPECT_EQ(stored("COLOR || WARISEN", key), "緑  ");
    // One character at most, never half of one.
    writeK3(kIdentification, {"\"" + key + R"(","A","B","C","ｱ有")"});
    ASSERT_EQ(YJSH(), 0);
    EXPECT_EQ(stored("WARISEN", key), "ｱ");
}

class Processing : public OnEachEngine<ImportTest> {
  protected:
    void SetUp() override {
        ImportTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // Table order differs from name order: the rows are taken in table order.
        supply(
            {drug("Y3", "ワ錠", {{"KUBUN", "元の区分"}}), drug("Y1", "ア錠"), drug("Y2", "カ錠")});
    }
    std::string row(const std::string& fields) {
        return "\"" + std::string(24, '9') + "\"," + fields;
    }
};

TEST_P(Processing, RecordsBelongToTheRowsInTableOrderAndDollarLinesToNone) {
    writeK3(kClassNames,
            {R"("114","解熱鎮痛消炎剤")", R"("214","血圧降下剤")", R"("114","二つ目の名前")"});
    writeK3(kProcessing, {
                             row(R"("","x","内用","１１４","錠","１日３回","")"),
                             row(R"("＄","x","外用","214","軟膏","塗る","劇")"),
                             row(R"("","x","内用","214","カプセル","","処方箋","ABCD")"),
                             row(R"("","x","","999","","","")"),
                             row(R"("","x","外用","","","","")"),
                         });
    ASSERT_EQ(YJSU(), 0);
    // Full-width class code, first name; an empty field keeps the column.
    EXPECT_EQ(stored("TOUYOKEIRO || SAIBUNRUI || ZAIKEI || YOUHOU || KUBUN", "Y3"),
              "内用解熱鎮痛消炎剤錠１日３回元の区分");
    // The "＄" line used up no row.
    EXPECT_EQ(stored("ZAIKEI || SAIBUNRUI || KUBUN", "Y1"), "カプセル血圧降下剤処方箋");
    EXPECT_EQ(stored("coalesce(TOUYOKEIRO, '-') || SAIBUNRUI", "Y2"), "-999");  // no name
    // The fifth record has no row left; every record is counted.
    EXPECT_EQ(messages, Strings{doneMessage(kProcessingDone, 5)});
}

TEST_P(Processing, WithoutClassNamesTheHalfWidthCodeIsStoredAndTheLossSaidOnce) {
    writeK3(kProcessing, {row(R"("","x","","１１４","","","")"),
                          row(R"("","x","","２１４","","","")"), R"("bad separator)"});
    ASSERT_EQ(YJSU(), 0);
    EXPECT_EQ(stored("SAIBUNRUI", "Y3") + stored("SAIBUNRUI", "Y1"), "114214");
    EXPECT_EQ(messages,
              (Strings{"Error:fopenエラー",
                       "Error:処理用データ\r\nファイル名「YJSU0412.K3」\r\n\r\n読み込み失敗",
                       doneMessage(kProcessingDone, 3)}));
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(Guidance);
INSTANTIATE_ON_BOTH_ENGINES(Identification);
INSTANTIATE_ON_BOTH_ENGINES(Processing);
