#include <array>
#include <tuple>

#include "patient_fixture.h"
#include "search_conditions.h"

namespace {

// The arguments of LRecordGOKU as the search dialog fills them.
struct Search {
    char texts[4][256] = {};
    int32_t codes[2] = {};
    char birth[3][256] = {};

    Search& text(int cell, const std::string& s) { return put(texts[cell], s); }
    Search& born(int cell, const std::string& s) { return put(birth[cell], s); }
    Search& put(char* cell, const std::string& utf8) {
        setText(cell, 256, utf8);
        return *this;
    }

    // "ID:name" of every match, from the two lists in step.
    Lines run() const {
        ListCollector ids, names;
        EXPECT_EQ(LRecordGOKU(&texts[0][0], codes, &birth[0][0], &ids.sink, &names.sink), 0);
        EXPECT_EQ(ids.items.size(), names.items.size());
        Lines out;
        for (std::size_t i = 0; i < ids.items.size() && i < names.items.size(); ++i)
            out.push_back(ids.items[i] + ":" + names.items[i]);
        return out;
    }
};

enum { kName, kWard, kHome, kMobile };
enum { kYear, kMonth, kDay };
const std::string kQuoted = "2:O'Neil 100%_*", kHanako = "4:山田 花子", kPlain = "5:Oneil 1000",
                  kIchiro = "9:田中 一郎";

class SearchTest : public OnEachEngine<PatientFileTest> {
  protected:
    void SetUp() override {
        PatientFileTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        add(4, "山田 花子", "東病棟", "03-1111", "090-2222", {2, 3, 45, 3, 7});
        add(2, "O'Neil 100%_*", "西病棟", "03-3333", "", {1, 4, 2, 12, 1});
        add(9, "田中 一郎", "東病棟", "", "080-2222", {1, 3, 45, 11, 30});
        add(5, "Oneil 1000", "", "", "", {0, 0, 0, 0, 0});
    }
    // numbers: sex, era, year, month, day
    void add(int id, const char* name, const char* ward, const char* home, const char* mobile,
             std::array<int, 5> numbers) {
        PatientRecord r = patient(id, name);
        SET(r, BYOUTO, ward);
        SET(r, TELEPHONE, home);
        SET(r, TELEPHONE2, mobile);
        std::tie(r.SEX, r.NENGO, r.YEAR, r.MONTH, r.DAY) =
            std::tuple(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]);
        ASSERT_EQ(LRecordCreate(&r), 0);
    }
};

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(SearchTest);

TEST_P(SearchTest, TextConditionsAreSubstringsCombinedWithAnd) {
    EXPECT_EQ(Search().run(), (Lines{kQuoted, kHanako, kPlain, kIchiro}));  // in ID order
    ListCollector ids;
    EXPECT_EQ(LRecordGOKU(nullptr, nullptr, nullptr, &ids.sink, nullptr), 0);
    EXPECT_EQ(ids.items, (Lines{"2", "4", "5", "9"}));
    EXPECT_EQ(Search().text(kWard, "東").run(), (Lines{kHanako, kIchiro}));
    EXPECT_EQ(Search().text(kName, "田").text(kHome, "03").run(), Lines{kHanako});
    EXPECT_EQ(Search().text(kMobile, "2222").run(), (Lines{kHanako, kIchiro}));
    EXPECT_EQ(Search().text(kWard, "病棟").text(kMobile, "080").run(), Lines{kIchiro});
    // ASCII letters match in either case, full-width ones only as typed.
    EXPECT_EQ(Search().text(kName, "oneil").run(), Lines{kPlain});
    add(6, "Ｎｅｉｌ", "", "", "", {0, 0, 0, 0, 0});
    EXPECT_EQ(Search().text(kName, "NEIL").run(), (Lines{kQuoted, kPlain}));
    EXPECT_EQ(Search().text(kName, "ｎｅｉｌ").run(), Lines{});
    EXPECT_EQ(Search().text(kName, "Ｎｅｉ").run(), Lines{"6:Ｎｅｉｌ"});
}

TEST_P(SearchTest, QuotesAndWildcardCharactersMatchThemselves) {
    for (const char* part : {"O'N", "'", "100%", "%_*", "*"})
        EXPECT_EQ(Search().text(kName, part).run(), Lines{kQuoted}) << part;
    for (const char* part : {"0_", "\\", "x' OR '1'='1", "%%"})
        EXPECT_EQ(Search().text(kName, part).run(), Lines{}) << part;
    EXPECT_TRUE(messages.empty());
}

TEST_P(SearchTest, CodesAboveZeroAndBirthNumbersAreEqualityConditionsAndOtherTextsMatchNothing) {
    Search s;
    s.codes[0] = 1;
    EXPECT_EQ(s.run(), (Lines{kQuoted, kIchiro}));
    s.codes[1] = 3;
    EXPECT_EQ(s.run(), Lines{kIchiro});
    Search none;
    none.codes[1] = -1;
    EXPECT_EQ(none.run().size(), 4u);
    EXPECT_EQ(Search().born(kYear, "45").run(), (Lines{kHanako, kIchiro}));
    EXPECT_EQ(Search().born(kYear, " 45 ").born(kMonth, "11").run(), Lines{kIchiro});
    EXPECT_EQ(Search().born(kDay, "+1").run(), Lines{kQuoted});
    EXPECT_EQ(Search().born(kYear, "0").run(), Lines{kPlain});
    // Birth texts that are not numbers match nothing.
    for (const char* text :
         {"abc", "4 5", "45)", "1 OR 1=1", "'", "4294967341", "99999999999999999999", "--", "４５"})
        EXPECT_EQ(Search().born(kYear, text).run(), Lines{}) << text;
    EXPECT_TRUE(messages.empty());
}

TEST(SearchConditions, ABirthNumberTakesOneSignAtMost) {
    long long value = 0;
    EXPECT_FALSE(patientbase::parseDecimal("+-1", value));
}
