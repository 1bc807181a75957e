// Matching prescribed drugs against a small catalogue and code map held in memory: by YJ code,
// through the code map, by general-name code candidates, by normalised name, or not at all.
#include "prescription/drug_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sjis/sjis.h"

namespace {

using namespace prescription;

// A catalogue and a code map held in memory, both answering through one filter.
struct Memory : CatalogueLookup, CodeMap {
    std::vector<CatalogueDrug> drugs;
    std::map<std::string, CodeMapEntry, std::less<>> rows;

    std::vector<CatalogueDrug> where(auto keep) const {
        std::vector<CatalogueDrug> found;
        std::copy_if(drugs.begin(), drugs.end(), std::back_inserter(found), keep);
        return found;
    }
    std::optional<CatalogueDrug> byYjCode(std::string_view yj) const override {
        const auto found = where([&](const CatalogueDrug& d) { return d.yjCode == yj; });
        return found.empty() ? std::nullopt : std::optional(found.front());
    }
    std::vector<CatalogueDrug> byYjPrefix(std::string_view prefix) const override {
        return where([&](const CatalogueDrug& d) { return d.yjCode.starts_with(prefix); });
    }
    std::vector<CatalogueDrug> byNameKey(std::string_view key) const override {
        return where([&](const CatalogueDrug& d) { return nameKey(d.productName) == key; });
    }
    std::optional<CodeMapEntry> byReceiptCode(std::string_view code) const override {
        const auto it = rows.find(code);
        return it == rows.end() ? std::nullopt : std::optional(it->second);
    }
};

DrugMatch match(int kind, const char* code, const char* name) {
    Memory memory;
    for (const auto& [yj, drug] : {std::pair{"2171022F1020", "ノルバスク錠2.5mg"},
                                   {"2171014M2036", "ニフェジピンカプセル１０ｍｇ「Ａ」"},
                                   {"2171014M2044", "ニフェジピンカプセル１０ｍｇ「Ｂ」"},
                                   {"1149019F1560", "ロキソニン錠６０ｍｇ"},
                                   {"1149019F1999", "ロキソニン錠 60mg"}})
        memory.drugs.push_back(
            {yj, sjis::fromUtf8(drug), sjis::fromUtf8("錠"), "N" + std::string(yj)});
    memory.rows["612170709"] = {"2171022F1020", "2171022F1ZZZ", ""};
    memory.rows["620000009"] = {"9999999F9999", "", ""};
    Drug drug;
    drug.codeKind = kind;
    drug.code = code;
    drug.name = sjis::fromUtf8(name);
    return DrugMatcher(memory, memory).match(drug);
}

// The match said as "method:drug's YJ code:candidates:description".
std::string said(const DrugMatch& m) {
    return std::to_string(static_cast<int>(m.method)) + ":" + (m.drug ? m.drug->yjCode : "-") +
           ":" + std::to_string(m.candidates.size()) + ":" + matchDescription(m);
}

TEST(DrugMatcher, ByCodeKindThenByNameOrNotAtAll) {
    const auto as = [](MatchMethod method, const char* rest) {
        return std::to_string(static_cast<int>(method)) + ":" + rest;
    };
    struct Case {
        const char* name;
        int kind;
        const char* code;
        const char* drug;
        std::string expected;
    };
    const Case cases[] = {
        {"YJ code", 4, "1149019F1560", "", as(MatchMethod::kYjCode, "1149019F1560:0:YJコード")},
        {"receipt code through the map", 2, "612170709", "ノルバスク錠２．５ｍｇ",
         as(MatchMethod::kReceiptCode, "2171022F1020:0:レセ電コード")},
        {"two products of a general-name code: the pharmacist chooses", 7, "2171014M2ZZZ",
         "【般】ニフェジピンカプセル１０ｍｇ",
         as(MatchMethod::kGeneralNameCode, "-:2:一般名コード（候補2件）")},
        {"a single candidate is taken, and said so", 7, "2171022F1ZZZ",
         "【般】アムロジピン錠２．５ｍｇ",
         as(MatchMethod::kGeneralNameCode, "2171022F1020:1:一般名コード（候補1件）")},
        {"name", 1, "", "ノルバスク錠２．５ｍｇ", as(MatchMethod::kName, "2171022F1020:0:薬品名")},
        {"half-width name with a space, a code kind without a path", 6, "1234567890123",
         "ﾉﾙﾊﾞｽｸ錠 2.5mg", as(MatchMethod::kName, "2171022F1020:0:薬品名")},
        {"YJ code missing from the catalogue", 4, "2171022F1999", "ノルバスク錠2.5mg",
         as(MatchMethod::kName, "2171022F1020:0:薬品名")},
        {"mapped code missing from the catalogue", 2, "620000009", "ノルバスク錠2.5mg",
         as(MatchMethod::kName, "2171022F1020:0:薬品名")},
        {"two drugs of one name: neither taken", 1, "", "ロキソニン錠60mg",
         as(MatchMethod::kName, "-:2:薬品名（候補2件）")},
        {"unknown receipt code", 2, "699999999", "", as(MatchMethod::kUnmatched, "-:0:未照合")},
        {"unknown general name", 7, "9999999X9ZZZ", "未知の薬",
         as(MatchMethod::kUnmatched, "-:0:未照合")},
        {"unknown name", 3, "", "未知の薬", as(MatchMethod::kUnmatched, "-:0:未照合")},
        {"short YJ code", 4, "short", "", as(MatchMethod::kUnmatched, "-:0:未照合")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DrugMatch m = match(c.kind, c.code, c.drug);
        EXPECT_EQ(said(m), c.expected);
        if (c.kind == 7 && m.candidates.size() == 2) {
            EXPECT_EQ(m.candidates.at(1).yjCode, "2171014M2044");
        }
    }
}

}  // namespace
