#include "catalogue_fixture.h"
#include "cp932_texts.h"
#include "drugs/drug_list_model.h"
#include "drugs/prefix_search.h"

using drugs::DrugListModel;
using drugs::PrefixSearch;

namespace {

class DrugList : public CatalogueTest {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        supply({{{"YJCODE", "Y1"}, {"PRODUCTNAME", "ロキソニン錠"}, {"CODE", "lox"}},
                {{"YJCODE", "Y2"}, {"PRODUCTNAME", "アムロジピン錠"}, {"CODE", "あむ"}},
                {{"YJCODE", "Y3"}, {"PRODUCTNAME", "アムロジンＯＤ錠"}, {"CODE", "AML"}},
                {{"YJCODE", "Y4"}, {"PRODUCTNAME", "ＡＢＣ軟膏"}, {"CODE", "abc"}}});
        ASSERT_TRUE(model.fill(DrugListModel::Order::ByName));
    }
    DrugListModel model;
};

}  // namespace

TEST_F(DrugList, FillsInEitherOrderWithTheParallelColumns) {
    ASSERT_EQ(model.count(), 4);
    EXPECT_EQ(model.row(0).yjcode, "Y2");
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "アムロジンＯＤ錠");
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "あむ");
    ASSERT_TRUE(model.fill(DrugListModel::Order::ByCode));
    EXPECT_EQ(model.row(0).code, "AML");
    EXPECT_EQ(model.row(3).code, cp932("あむ"));
    EXPECT_EQ(model.findYjCode("Y1"), 2);
    EXPECT_EQ(model.findYjCode("Y"), -1);
}

TEST_F(DrugList, PrefixesIgnoreTheCaseOfLetters) {
    EXPECT_EQ(model.findPrefix(DrugListModel::NameColumn, cp932("ａｂ")), 3);
    EXPECT_EQ(model.findPrefix(DrugListModel::CodeColumn, "LO"), 2);
    EXPECT_EQ(model.findPrefix(DrugListModel::NameColumn, cp932("アムロジ")), 0);
    EXPECT_EQ(model.findPrefix(DrugListModel::NameColumn, cp932("アムロジン")), 1);
    EXPECT_EQ(model.findPrefix(DrugListModel::NameColumn, cp932("錠")), -1);
    EXPECT_TRUE(drugs::startsWithIgnoringCase("abc", ""));
    EXPECT_FALSE(drugs::startsWithIgnoringCase("ab", "abc"));
}

TEST_F(DrugList, NameSearchFindsKatakanaFromHiraganaAndSkipsRepeats) {
    PrefixSearch search = PrefixSearch::forNames();
    EXPECT_EQ(search.search(model, cp932("あむろじん")), 1);
    EXPECT_EQ(search.search(model, cp932("あむろじん")), std::nullopt);  // unchanged text
    EXPECT_EQ(search.search(model, cp932("あむろじ")), 0);
    EXPECT_EQ(search.search(model, cp932("ぜ")), std::nullopt);  // no match
    EXPECT_TRUE(search.missed());
    EXPECT_EQ(search.search(model, ""), std::nullopt);  // emptied box
    EXPECT_FALSE(search.missed()) << "an empty box searches nothing";
    EXPECT_EQ(search.search(model, cp932("ぜ")), std::nullopt);  // the last text survives it
    EXPECT_FALSE(search.missed()) << "an unchanged text is not searched again";
    EXPECT_EQ(search.search(model, cp932("ろ")), 2);
}

TEST_F(DrugList, CodeSearchReadsAtMostFifteenBytes) {
    PrefixSearch search = PrefixSearch::forCodes();
    EXPECT_EQ(search.search(model, "AMLxxxxxxxxxxxx"), std::nullopt);
    supply({{{"YJCODE", "Y5"}, {"PRODUCTNAME", "長い"}, {"CODE", "ABCDEFGHIJKLMNO"}}});
    ASSERT_TRUE(model.fill(DrugListModel::Order::ByCode));
    EXPECT_EQ(search.search(model, "ABCDEFGHIJKLMNOPQ"), model.findYjCode("Y5"));
    // The code box does not convert kana.
    EXPECT_EQ(search.search(model, cp932("アム")), std::nullopt);
    EXPECT_EQ(search.search(model, cp932("あむ")), model.findYjCode("Y2"));
}
