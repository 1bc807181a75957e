// Matching prescribed drugs against a small catalogue and code map held in memory: by YJ code,
// through the code map, by general-name code candidates, by normalised name, or not at all.
#include "prescription/drug_matcher.h"

#include <gtest/gtest.h>

#include <map>

#include "sjis/sjis.h"

namespace {

using namespace prescription;

class MemoryCatalogue : public CatalogueLookup {
  public:
    void add(const char* yj, const char* name) {
        drugs_.push_back({yj, sjis::fromUtf8(name), sjis::fromUtf8("錠"), "N" + std::string(yj)});
    }

    std::optional<CatalogueDrug> byYjCode(std::string_view yj) const override {
        for (const CatalogueDrug& d : drugs_)
            if (d.yjCode == yj) return d;
        return std::nullopt;
    }
    std::vector<CatalogueDrug> byYjPrefix(std::string_view prefix) const override {
        std::vector<CatalogueDrug> found;
        for (const CatalogueDrug& d : drugs_)
            if (d.yjCode.starts_with(prefix)) found.push_back(d);
        return found;
    }
    std::vector<CatalogueDrug> byNameKey(std::string_view key) const override {
        std::vector<CatalogueDrug> found;
        for (const CatalogueDrug& d : drugs_)
            if (nameKey(d.productName) == key) found.push_back(d);
        return found;
    }

  private:
    std::vector<CatalogueDrug> drugs_;
};

class MemoryCodeMap : public CodeMap {
  public:
    std::map<std::string, CodeMapEntry, std::less<>> rows;

    std::optional<CodeMapEntry> byReceiptCode(std::string_view code) const override {
        const auto it = rows.find(code);
        if (it == rows.end()) return std::nullopt;
        return it->second;
    }
};

class DrugMatcherTest : public testing::Test {
  protected:
    void SetUp() override {
        catalogue.add("2171022F1020", "ノルバスク錠2.5mg");
        catalogue.add("2171014M2036", "ニフェジピンカプセル１０ｍｇ「Ａ」");
        catalogue.add("2171014M2044", "ニフェジピンカプセル１０ｍｇ「Ｂ」");
        catalogue.add("1149019F1560", "ロキソニン錠６０ｍｇ");
        catalogue.add("1149019F1999", "ロキソニン錠 60mg");
        codeMap.rows["612170709"] = {"2171022F1020", "2171022F1ZZZ", ""};
        codeMap.rows["620000009"] = {"9999999F9999", "", ""};
    }

    DrugMatch match(int kind, const char* code, const char* name) {
        Drug drug;
        drug.codeKind = kind;
        drug.code = code;
        drug.name = sjis::fromUtf8(name);
        return DrugMatcher(catalogue, codeMap).match(drug);
    }

    MemoryCatalogue catalogue;
    MemoryCodeMap codeMap;
};

TEST_F(DrugMatcherTest, ByCodeKind) {
    DrugMatch m = match(4, "1149019F1560", "");
    EXPECT_EQ(m.method, MatchMethod::kYjCode);
    ASSERT_TRUE(m.drug);
    EXPECT_EQ(m.drug->yjCode, "1149019F1560");
    EXPECT_EQ(matchDescription(m), "YJコード");

    m = match(2, "612170709", "ノルバスク錠２．５ｍｇ");
    EXPECT_EQ(m.method, MatchMethod::kReceiptCode);
    EXPECT_EQ(m.drug->yjCode, "2171022F1020");

    m = match(7, "2171014M2ZZZ", "【般】ニフェジピンカプセル１０ｍｇ");
    EXPECT_EQ(m.method, MatchMethod::kGeneralNameCode);
    EXPECT_FALSE(m.drug) << "two products: the pharmacist chooses";
    ASSERT_EQ(m.candidates.size(), 2u);
    EXPECT_EQ(m.candidates[1].yjCode, "2171014M2044");
    EXPECT_EQ(matchDescription(m), "一般名コード（候補2件）");

    m = match(7, "2171022F1ZZZ", "【般】アムロジピン錠２．５ｍｇ");
    EXPECT_EQ(m.drug->yjCode, "2171022F1020") << "a single candidate is taken, and said so";
    EXPECT_EQ(matchDescription(m), "一般名コード（候補1件）");
}

TEST_F(DrugMatcherTest, ByNameWhenTheCodeFindsNothing) {
    // Full-/half-width and spaces ignored; the code kinds without a code path go by name.
    DrugMatch m = match(1, "", "ノルバスク錠２．５ｍｇ");
    EXPECT_EQ(m.method, MatchMethod::kName);
    EXPECT_EQ(m.drug->yjCode, "2171022F1020");
    m = match(6, "1234567890123", "ﾉﾙﾊﾞｽｸ錠 2.5mg");
    EXPECT_EQ(m.drug->yjCode, "2171022F1020");
    // A YJ code or a mapped code missing from the catalogue falls back to the name.
    m = match(4, "2171022F1999", "ノルバスク錠2.5mg");
    EXPECT_EQ(m.method, MatchMethod::kName);
    m = match(2, "620000009", "ノルバスク錠2.5mg");
    EXPECT_EQ(m.method, MatchMethod::kName);
    // Two catalogue drugs with the same name: both offered, neither taken.
    m = match(1, "", "ロキソニン錠60mg");
    EXPECT_FALSE(m.drug);
    EXPECT_EQ(m.candidates.size(), 2u);
    EXPECT_EQ(matchDescription(m), "薬品名（候補2件）");
}

TEST_F(DrugMatcherTest, UnknownDrugStaysUnmatched) {
    for (const DrugMatch& m : {match(2, "699999999", ""), match(7, "9999999X9ZZZ", "未知の薬"),
                               match(3, "", "未知の薬"), match(4, "short", "")}) {
        EXPECT_EQ(m.method, MatchMethod::kUnmatched);
        EXPECT_FALSE(m.drug);
        EXPECT_TRUE(m.candidates.empty());
        EXPECT_EQ(matchDescription(m), "未照合");
    }
}

}  // namespace
