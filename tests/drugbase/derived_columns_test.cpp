#include "import_fixture.h"

namespace {

// A supplied drug of this maker, with a strength and N code where given.
drugbase::SuppliedDrug made(const std::string& yjcode, const std::string& name,
                            const std::string& company, const std::string& tanni = "",
                            const std::string& code = "") {
    drugbase::SuppliedDrug d = drug(yjcode, name, {{"COMPANY", company}});
    if (!tanni.empty()) d["TANNI"] = tanni;
    if (!code.empty()) d["CODE"] = code;
    return d;
}

class DerivedColumns : public OnEachEngine<ImportTest> {
  protected:
    std::string listName(const std::string& yjcode) const { return stored("LISTNAME", yjcode); }
    Strings listNames(const Strings& yjcodes) const {
        Strings names;
        for (const std::string& yjcode : yjcodes) names.push_back(listName(yjcode));
        return names;
    }
};

TEST_P(DerivedColumns, MakerMarkersStartAtTheFirstChangeOfMakerAndMarkEveryWaterForInjection) {
    std::string maker;
    for (int i = 0; i < 120; ++i) maker += "社";  // 240 bytes
    supply({made("A1", "Ａ錠", "Ｘ社", "1mg"), made("A2", "Ａ錠", "Ｘ社", "2mg"),
            made("A3", "Ａ錠", "Ｙ社", "1mg"), made("B1", "Ｂ錠", "Ｘ社", "1mg"),
            made("B2", "Ｂ錠", "Ｘ社", "2mg"), made("C1", "Ｃ錠", "Ｚ社"),
            // 止血剤 sorts just before 注射用水; a lone row and two rows of one maker are marked.
            made("S1", "止血剤", "Ａ社"), made("W1", "注射用水", "Ｂ社", "20mL"),
            made("W2", "注射用水", "Ｂ社", "5mL"), made("W3", "注射用水", "Ｃ社"),
            made("Z1", "注射用水「別名」", "Ｄ社"), made("L1", "長い名前の薬", "Ｘ社"),
            made("L2", "長い名前の薬", maker)});
    ASSERT_EQ(Record00(), 0);
    // B has one maker only; every water for injection is marked.
    EXPECT_EQ(
        listNames({"A1", "A2", "A3", "B1", "B2", "C1", "S1", "W1", "W2", "W3", "Z1"}),
        (Strings{"Ａ錠", "Ａ錠　★Ｘ社", "Ａ錠　★Ｙ社", "Ｂ錠", "Ｂ錠", "Ｃ錠", "止血剤",
                 "注射用水　★Ｂ社", "注射用水　★Ｂ社", "注射用水　★Ｃ社", "注射用水「別名」"}));
    // The list name is cut to its room at a character boundary.
    const std::string name = sjis::fromUtf8(listName("L2"));
    EXPECT_EQ(name.size(), 248u);  // 12 + 4 + 232 bytes: one more character would be 250
    EXPECT_EQ(name.substr(0, 16), sjis::fromUtf8("長い名前の薬　★"));
    EXPECT_TRUE(messages.empty());
}

TEST_P(DerivedColumns, StrengthMarkersFollowTheMakerMarkers) {
    supply({made("B1", "Ｂ錠", "Ｘ社", "5mg"), made("B2", "Ｂ錠", "Ｘ社", "10mg"),
            made("D1", "Ｄ錠", "Ｘ社", "5mg"), made("D2", "Ｄ錠", "Ｙ社", "10mg")});
    ASSERT_EQ(Record01(), 0);
    EXPECT_EQ(listNames({"B1", "B2"}), (Strings{"Ｂ錠　☆5mg", "Ｂ錠　☆10mg"}));
    ASSERT_EQ(Record00(), 0);
    ASSERT_EQ(Record01(), 0);
    EXPECT_EQ(listNames({"D1", "D2"}), (Strings{"Ｄ錠　★Ｘ社　☆5mg", "Ｄ錠　★Ｙ社　☆10mg"}));
}

TEST_P(DerivedColumns, NCodesNumberTheRunsOfOnePrefixAndSetTheirSortClass) {
    supply({made("N1", "アムロジン錠", "Ａ社", "", "AML1"),
            made("N2", "アムロジピン錠", "Ｂ社", "", "AML2"),
            made("N3", "アムロジピン錠", "Ｃ社", "", "AML3"), made("N4", "アム", "Ｄ社"),
            made("N5", "ABCDEFGH", "Ｅ社", "", "あ"), made("N6", "ABCアム", "Ｆ社"),
            made("N7", "＄", "Ｇ社", "", "KEEP")});
    ASSERT_EQ(Recordcode(), 0);
    // Name order: ABCDEFGH, ABCアム, アム, アムロジピン錠 (B社, C社), アムロジン錠, ＄; a
    // character is never split at byte 6.
    const std::pair<const char*, const char*> expected[] = {
        {"N5", "ABCDEF-1"},  {"N6", "ABCあ-1"},   {"N4", "あむ0"},  {"N2", "あむろ0"},
        {"N3", "あむろ２0"}, {"N1", "あむろ３0"}, {"N7", "KEEP-1"},
    };
    for (const auto& [yjcode, codeAndClass] : expected)
        EXPECT_EQ(stored("CODE || OPTION1", yjcode), codeAndClass) << yjcode;
}

TEST_P(DerivedColumns, APassThatFailsChangesNothing) {
    supply(
        {made("P1", "アムロ錠", "Ａ社", "", "OLD1"), made("P2", "ベシル錠", "Ｂ社", "", "OLD2")});
    failOn("CODE", "べしる");
    EXPECT_EQ(Recordcode(), 99);
    EXPECT_EQ(stored("CODE", "P1"), "OLD1");
    EXPECT_EQ(messages, Strings{"Error:RECORDSET.Update"});
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(DerivedColumns);
