#include "patient_fixture.h"

namespace {

// The arguments of LRecordGOKU as the search dialog fills them.
struct Search {
    char texts[4][256] = {};
    int32_t codes[2] = {};
    char birth[3][256] = {};

    Search& name(const std::string& s) { return put(texts[0], s); }
    Search& ward(const std::string& s) { return put(texts[1], s); }
    Search& home(const std::string& s) { return put(texts[2], s); }
    Search& mobile(const std::string& s) { return put(texts[3], s); }
    Search& year(const std::string& s) { return put(birth[0], s); }
    Search& month(const std::string& s) { return put(birth[1], s); }
    Search& day(const std::string& s) { return put(birth[2], s); }
    Search& put(char* cell, const std::string& utf8) {
        setText(cell, 256, utf8);
        return *this;
    }

    // "ID:name" of every match, checking that both lists stay in step.
    std::vector<std::string> run() const {
        ListCollector ids, names;
        EXPECT_EQ(LRecordGOKU(&texts[0][0], codes, &birth[0][0], &ids.sink, &names.sink), 0);
        EXPECT_EQ(ids.items.size(), names.items.size());
        std::vector<std::string> out;
        for (std::size_t i = 0; i < ids.items.size() && i < names.items.size(); ++i)
            out.push_back(ids.items[i] + ":" + names.items[i]);
        return out;
    }
};

using Rows = std::vector<std::string>;

class SearchTest : public PatientFileTest {
  protected:
    void SetUp() override {
        PatientFileTest::SetUp();
        add(4, "山田 花子", "東病棟", "03-1111", "090-2222", 2, 3, 45, 3, 7);
        add(2, "O'Neil 100%_*", "西病棟", "03-3333", "", 1, 4, 2, 12, 1);
        add(9, "田中 一郎", "東病棟", "", "080-2222", 1, 3, 45, 11, 30);
        add(5, "Oneil 1000", "", "", "", 0, 0, 0, 0, 0);
    }
    void add(int id, const char* name, const char* ward, const char* home, const char* mobile,
             int sex, int era, int year, int month, int day) {
        PatientRecord r = patient(id, name);
        SET(r, BYOUTO, ward);
        SET(r, TELEPHONE, home);
        SET(r, TELEPHONE2, mobile);
        r.SEX = sex;
        r.NENGO = era;
        r.YEAR = year;
        r.MONTH = month;
        r.DAY = day;
        ASSERT_EQ(LRecordCreate(&r), 0);
    }
};

}  // namespace

TEST_F(SearchTest, NoConditionListsEveryoneInIdOrder) {
    const Rows all = {"2:O'Neil 100%_*", "4:山田 花子", "5:Oneil 1000", "9:田中 一郎"};
    EXPECT_EQ(Search().run(), all);
    ListCollector ids;
    EXPECT_EQ(LRecordGOKU(nullptr, nullptr, nullptr, &ids.sink, nullptr), 0);
    EXPECT_EQ(ids.items, (std::vector<std::string>{"2", "4", "5", "9"}));
}

TEST_F(SearchTest, TextConditionsAreSubstringsCombinedWithAnd) {
    EXPECT_EQ(Search().ward("東").run(), (Rows{"4:山田 花子", "9:田中 一郎"}));
    EXPECT_EQ(Search().name("田").home("03").run(), (Rows{"4:山田 花子"}));
    EXPECT_EQ(Search().mobile("2222").run(), (Rows{"4:山田 花子", "9:田中 一郎"}));
    EXPECT_EQ(Search().ward("病棟").mobile("080").run(), (Rows{"9:田中 一郎"}));
    EXPECT_EQ(Search().name("oneil").run(), (Rows{"5:Oneil 1000"}));  // case as Jet: ignored
}

TEST_F(SearchTest, QuotesAndWildcardCharactersMatchThemselves) {
    EXPECT_EQ(Search().name("O'N").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().name("'").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().name("100%").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().name("0_").run(), Rows{});
    EXPECT_EQ(Search().name("%_*").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().name("*").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().name("\\").run(), Rows{});
    EXPECT_EQ(Search().name("x' OR '1'='1").run(), Rows{});
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(SearchTest, CodesAboveZeroAndBirthNumbersAreEqualityConditions) {
    Search s;
    s.codes[0] = 1;
    EXPECT_EQ(s.run(), (Rows{"2:O'Neil 100%_*", "9:田中 一郎"}));
    s.codes[1] = 3;
    EXPECT_EQ(s.run(), (Rows{"9:田中 一郎"}));
    Search none;
    none.codes[0] = 0;
    none.codes[1] = -1;
    EXPECT_EQ(none.run().size(), 4u);
    EXPECT_EQ(Search().year("45").run(), (Rows{"4:山田 花子", "9:田中 一郎"}));
    EXPECT_EQ(Search().year(" 45 ").month("11").run(), (Rows{"9:田中 一郎"}));
    EXPECT_EQ(Search().day("+1").run(), (Rows{"2:O'Neil 100%_*"}));
    EXPECT_EQ(Search().year("0").run(), (Rows{"5:Oneil 1000"}));
}

TEST_F(SearchTest, BirthTextsThatAreNotNumbersMatchNothing) {
    for (const char* text : {"abc", "4 5", "45)", "1 OR 1=1", "'", "4294967341",
                             "99999999999999999999", "--", "+-1", "４５"})
        EXPECT_EQ(Search().year(text).run(), Rows{}) << text;
    EXPECT_TRUE(messages.list.empty());
}
