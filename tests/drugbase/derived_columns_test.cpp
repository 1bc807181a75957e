#include "import_fixture.h"

namespace {

using Strings = std::vector<std::string>;

drugbase::SuppliedDrug drug(const std::string& yjcode, const std::string& name,
                            const std::string& company, const std::string& tanni = "",
                            const std::string& code = "") {
    drugbase::SuppliedDrug d{{"YJCODE", yjcode}, {"PRODUCTNAME", name}};
    if (!company.empty()) d["COMPANY"] = company;
    if (!tanni.empty()) d["TANNI"] = tanni;
    if (!code.empty()) d["CODE"] = code;
    return d;
}

class DerivedColumns : public ImportTest {
  protected:
    std::string listName(const std::string& yjcode) const { return stored("LISTNAME", yjcode); }
};

TEST_F(DerivedColumns, MakerMarkersStartAtTheFirstChangeOfMaker) {
    supply({drug("A1", "Ａ錠", "Ｘ社", "1mg"), drug("A2", "Ａ錠", "Ｘ社", "2mg"),
            drug("A3", "Ａ錠", "Ｙ社", "1mg"), drug("B1", "Ｂ錠", "Ｘ社", "1mg"),
            drug("B2", "Ｂ錠", "Ｘ社", "2mg"), drug("C1", "Ｃ錠", "Ｚ社")});
    ASSERT_EQ(Record00(), 0);
    EXPECT_EQ(listName("A1"), "Ａ錠");
    EXPECT_EQ(listName("A2"), "Ａ錠　★Ｘ社");
    EXPECT_EQ(listName("A3"), "Ａ錠　★Ｙ社");
    EXPECT_EQ(listName("B1"), "Ｂ錠");  // one maker only
    EXPECT_EQ(listName("B2"), "Ｂ錠");
    EXPECT_EQ(listName("C1"), "Ｃ錠");
    EXPECT_TRUE(messages.empty());
}

TEST_F(DerivedColumns, EveryWaterForInjectionRowAndOnlyThoseGetTheirMaker) {
    // 止血剤 sorts just before 注射用水; a lone row and two rows of one maker are all marked.
    supply({drug("S1", "止血剤", "Ａ社"), drug("W1", "注射用水", "Ｂ社", "20mL"),
            drug("W2", "注射用水", "Ｂ社", "5mL"), drug("W3", "注射用水", "Ｃ社"),
            drug("Z1", "注射用水「別名」", "Ｄ社")});
    ASSERT_EQ(Record00(), 0);
    EXPECT_EQ(listName("S1"), "止血剤");
    EXPECT_EQ(listName("W1"), "注射用水　★Ｂ社");
    EXPECT_EQ(listName("W2"), "注射用水　★Ｂ社");
    EXPECT_EQ(listName("W3"), "注射用水　★Ｃ社");
    EXPECT_EQ(listName("Z1"), "注射用水「別名」");
}

TEST_F(DerivedColumns, StrengthMarkersFollowTheMakerMarkers) {
    supply({drug("B1", "Ｂ錠", "Ｘ社", "5mg"), drug("B2", "Ｂ錠", "Ｘ社", "10mg"),
            drug("D1", "Ｄ錠", "Ｘ社", "5mg"), drug("D2", "Ｄ錠", "Ｙ社", "10mg")});
    ASSERT_EQ(Record01(), 0);
    EXPECT_EQ(listName("B1"), "Ｂ錠　☆5mg");
    EXPECT_EQ(listName("B2"), "Ｂ錠　☆10mg");
    ASSERT_EQ(Record00(), 0);
    ASSERT_EQ(Record01(), 0);
    EXPECT_EQ(listName("D1"), "Ｄ錠　★Ｘ社　☆5mg");
    EXPECT_EQ(listName("D2"), "Ｄ錠　★Ｙ社　☆10mg");
}

TEST_F(DerivedColumns, AListNameIsCutToItsRoomAtACharacterBoundary) {
    std::string maker;
    for (int i = 0; i < 120; ++i) maker += "社";  // 240 bytes
    supply({drug("L1", "長い名前の薬", "Ｘ社"), drug("L2", "長い名前の薬", maker)});
    ASSERT_EQ(Record00(), 0);
    const std::string name = sjis::fromUtf8(listName("L2"));
    EXPECT_EQ(name.size(), 248u);  // 12 + 4 + 232 bytes: one more character would be 250
    EXPECT_EQ(name.substr(0, 16), sjis::fromUtf8("長い名前の薬　★"));
}

TEST_F(DerivedColumns, NCodesNumberTheRunsOfOnePrefixAndSetTheirSortClass) {
    supply({drug("N1", "アムロジン錠", "Ａ社", "", "AML1"),
            drug("N2", "アムロジピン錠", "Ｂ社", "", "AML2"),
            drug("N3", "アムロジピン錠", "Ｃ社", "", "AML3"), drug("N4", "アム", "Ｄ社"),
            drug("N5", "ABCDEFGH", "Ｅ社", "", "あ"), drug("N6", "ABCアム", "Ｆ社"),
            drug("N7", "＄", "Ｇ社", "", "KEEP")});
    ASSERT_EQ(Recordcode(), 0);
    // Name order: ABCDEFGH, ABCアム, アム, アムロジピン錠 (B社, C社), アムロジン錠, ＄.
    EXPECT_EQ(stored("CODE", "N5"), "ABCDEF");
    EXPECT_EQ(stored("CODE", "N6"), "ABCあ");  // a character is never split at byte 6
    EXPECT_EQ(stored("CODE", "N4"), "あむ");
    EXPECT_EQ(stored("CODE", "N2"), "あむろ");
    EXPECT_EQ(stored("CODE", "N3"), "あむろ２");
    EXPECT_EQ(stored("CODE", "N1"), "あむろ３");
    EXPECT_EQ(stored("CODE", "N7"), "KEEP");
    EXPECT_EQ(stored("OPTION1", "N5"), "-1");
    EXPECT_EQ(stored("OPTION1", "N1"), "0");
    // The N-code list now puts the single-byte codes first.
    ListCollector codes;
    int rows = 0;
    ASSERT_EQ(RecordDisplay(nullptr, &codes.sink, nullptr, nullptr, &rows, 1), 0);
    EXPECT_EQ(codes.items,
              (Strings{"ABCDEF", "ABCあ", "KEEP", "あむ", "あむろ", "あむろ２", "あむろ３"}));
}

TEST_F(DerivedColumns, APassThatFailsChangesNothing) {
    supply(
        {drug("P1", "アムロ錠", "Ａ社", "", "OLD1"), drug("P2", "ベシル錠", "Ｂ社", "", "OLD2")});
    failOn("CODE", "べしる");
    EXPECT_EQ(Recordcode(), 99);
    EXPECT_EQ(stored("CODE", "P1"), "OLD1");
    EXPECT_EQ(messages, Strings{"Error:RECORDSET.Update"});
    RecordClose();
    messages.clear();
    EXPECT_EQ(Record00(), 99);
    EXPECT_EQ(Record01(), 99);
    EXPECT_EQ(Recordcode(), 99);
    EXPECT_EQ(messages, Strings(3, "Error:DATABASE.Open"));
}

}  // namespace
