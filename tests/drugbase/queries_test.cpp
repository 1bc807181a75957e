#include "catalogue_fixture.h"

namespace {

// Collects every text a view sink receives, each followed by "|".
void addText(void* c, const char* t) {
    *static_cast<std::string*>(c) += std::string(t) + "|";
}

class Queries : public OnEachEngine<CatalogueTest> {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // YJ code, product name and N code always; maker, strength, general name and dosage
        // form where given.
        const char* const columns[] = {"YJCODE", "PRODUCTNAME", "CODE",  "COMPANY",
                                       "TANNI",  "GENERALNAME", "ZAIKEI"};
        const char* const rows[][7] = {
            {"Y1", "ロキソニン錠", "LOX", "A社", "60mg", "ロキソプロフェン", "錠"},
            {"Y2", "アムロジピン錠", "あむろ", "B社", "5mg", "アムロジピン", "錠"},
            {"Y3", "アムロジピンOD錠", "AML", "C社", "5mg", "アムロジピン", "口腔内崩壊錠"},
            {"Y4", "ムコダインシロップ", "", "A社", "5%", "カルボシステイン", "シロップ"},
            {"Y5", "アムロジピン錠", "ｱﾑﾛ", "B社", "2.5mg", "アムロジピン", "錠"},
            {"Y6", "＄", "ZZZ", "", "", "アムロジピン", ""},
            {"Y'7", "O'Brien 50%_off*\\", "Q'1", "D'社", "", "", "カプセル"},
        };
        std::vector<drugbase::SuppliedDrug> drugs(std::size(rows));
        for (std::size_t r = 0; r < drugs.size(); ++r)
            for (int c = 0; c < 7; ++c)
                if (c < 3 || *rows[r][c]) drugs[r][columns[c]] = rows[r][c];
        supply(drugs);
    }
    // The YJ codes a composite search lists: product name, general name, maker, YJ code, route,
    // three dosage forms (UTF-8; missing ones empty).
    static Strings search(std::vector<std::string> args) {
        args.resize(8);
        for (std::string& a : args) a = sjis::fromUtf8(a);
        ListCollector names, yjcodes;
        EXPECT_EQ(RecordGOKU(args[0].c_str(), args[1].c_str(), args[2].c_str(), args[3].c_str(),
                             args[4].c_str(), args[5].c_str(), args[6].c_str(), args[7].c_str(),
                             &names.sink, &yjcodes.sink),
                  0);
        EXPECT_EQ(names.items.size(), yjcodes.items.size());
        return yjcodes.items;
    }
};

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(Queries);

TEST_P(Queries, DisplayFillsTheViewAndListsInBothOrdersAndPositionAgrees) {
    ViewCollector view;
    ListCollector codes, names, yjcodes;
    int counter = 0;
    ASSERT_EQ(RecordDisplay(&view.sink, &codes.sink, &names.sink, &yjcodes.sink, &counter, 0), 0);
    EXPECT_EQ(counter, 7);
    EXPECT_EQ(yjcodes.items, (Strings{"Y'7", "Y3", "Y5", "Y2", "Y4", "Y1", "Y6"}));
    ASSERT_EQ(view.rows.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(view.rows[i].item, i);
        EXPECT_EQ(view.texts()[i], codes.items[i] + ":" + names.items[i]);
    }
    // A second fill without resetting the counter: it grows, the items restart at 0. N-code
    // order puts OPTION1 -1 (empty, ASCII, half-width kana) first, then 0 (double-byte).
    ViewCollector again;
    ListCollector byCode;
    ASSERT_EQ(RecordDisplay(&again.sink, &byCode.sink, nullptr, nullptr, &counter, 1), 0);
    EXPECT_EQ(counter, 14);
    EXPECT_EQ(again.rows.front().item, 0);
    EXPECT_EQ(byCode.items, (Strings{"", "AML", "LOX", "Q'1", "ZZZ", "ｱﾑﾛ", "あむろ"}));

    for (int order : {0, 1}) {
        ListCollector listed;
        ASSERT_EQ(RecordDisplay(nullptr, nullptr, nullptr, &listed.sink, &counter, order), 0);
        for (int row = 0; row < 7; ++row) {
            int position = -5;
            ASSERT_EQ(RecordPosition(sjis::fromUtf8(listed.items[row]).c_str(), &position, order),
                      0);
            EXPECT_EQ(position, row) << listed.items[row] << " order " << order;
        }
    }
    int position = 42;
    EXPECT_EQ(RecordPosition("NOPE", &position, 0), 0);
    EXPECT_EQ(position, 42);
}

TEST_P(Queries, DetailFindsExactCodesOnlyAndCutsOverlongTextsAtACharacterBoundary) {
    DrugRecord r;
    std::memset(&r, 0x5A, sizeof r);
    EXPECT_EQ(RecordDetail(&r, "Y"), 1);
    EXPECT_EQ(r.YJCODE[0], 0x5A);  // untouched
    ASSERT_EQ(RecordDetail(&r, "Y'7"), 0);
    EXPECT_EQ(text(r.PRODUCTNAME) + "|" + text(r.ZAIKEI) + "|" + text(r.GENERALNAME),
              "O'Brien 50%_off*\\|カプセル|");
    EXPECT_EQ(std::pair(r.LISTHYOUJI, r.ORIDGINAL), std::pair(1, 0));
    EXPECT_EQ(r.callerArea[0], 0x5A);  // the caller's own fields are never written
    EXPECT_EQ(r.photoFlag, 0x5A5A5A5A);
    EXPECT_TRUE(messages.empty());

    std::string longName;
    for (int i = 0; i < 60; ++i) longName += "ア";  // 120 bytes in CP932
    ASSERT_TRUE(raw()->exec("UPDATE Medicine_Information SET PRODUCTNAME = 'a" + longName +
                            "', MEMO = '" + std::string(900, 'm') + "' WHERE YJCODE = 'Y1'"));
    ASSERT_EQ(RecordDetail(&r, "Y1"), 0);
    // 90 bytes of room: "a" and 44 kana (89 bytes); the 45th kana would split.
    EXPECT_EQ(std::strlen(r.PRODUCTNAME), 89u);
    EXPECT_EQ(std::strlen(r.MEMO), 499u);
    EXPECT_EQ(r.callerArea[0], 0x5A);  // the field after CODE is not overrun
}

TEST_P(Queries, ReadManyGivesWhatDetailGivesForEachCodeInOneCall) {
    // Missing codes, a code given twice, quotes and an array literal's marks in a code.
    const char* const codes[] = {"Y3", "Y", "Y'7", "Y1", "Y3", "Y1\",\"{}", ""};
    constexpr int kCount = std::size(codes);
    DrugRecord many[kCount];
    std::memset(many, 0x5A, sizeof many);
    int found[kCount];
    ASSERT_EQ(RecordReadMany(codes, kCount, many, found), 0);
    for (int i = 0; i < kCount; ++i) {
        SCOPED_TRACE(codes[i]);
        DrugRecord one;
        std::memset(&one, 0x5A, sizeof one);
        EXPECT_EQ(found[i], RecordDetail(&one, codes[i]) == 0 ? 1 : 0);
        EXPECT_EQ(std::memcmp(&one, &many[i], sizeof one), 0);
        // The brief read names the same drug with its four matching fields.
        std::string brief;
        const DrugListViewSink sink{&brief, [](void* c, int, const char* t) { addText(c, t); },
                                    [](void* c, int, int, const char* t) { addText(c, t); }};
        ASSERT_EQ(RecordBrief(codes[i], &sink), 0);
        EXPECT_EQ(brief, found[i] ? std::string(one.YJCODE) + "|" + one.PRODUCTNAME + "|" +
                                        one.ZAIKEI + "|" + one.CODE + "|"
                                  : "");
    }
    // More codes than the files take in one statement.
    std::vector<const char*> repeated(1001, "Y");
    for (std::size_t i = 0; i < repeated.size(); i += 2) repeated[i] = "Y2";
    std::vector<DrugRecord> records(repeated.size());
    std::vector<int> marks(repeated.size(), 7);
    ASSERT_EQ(RecordReadMany(repeated.data(), 1001, records.data(), marks.data()), 0);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 501);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 0), 500);
    EXPECT_EQ(text(records.back().YJCODE), "Y2");
    EXPECT_TRUE(messages.empty());
}

TEST_P(Queries, CompositeSearchCombinesConditionsAndTakesTypedTextLiterally) {
    EXPECT_EQ(search({"アムロ"}), (Strings{"Y3", "Y5", "Y2"}));
    EXPECT_EQ(search({"アムロ", "", "B社", "", "", "錠"}), (Strings{"Y5", "Y2"}));
    // The name condition holds for every form alternative.
    EXPECT_EQ(search({"アムロ", "", "", "", "", "", "シロップ", "OD"}), Strings{});
    EXPECT_EQ(search({"アムロ", "", "", "", "", "崩壊", "シロップ"}), Strings{"Y3"});
    EXPECT_EQ(search({"", "", "", "", "", "", "シロップ", "カプセル"}), (Strings{"Y'7", "Y4"}));
    EXPECT_EQ(search({}).size(), 7u);
    // Typed quotes and wildcard characters are literal text; letters match in any case; a
    // full-width character matches only itself.
    EXPECT_EQ(search({"O'Brien", "", "D'", "Y'"}), Strings{"Y'7"});
    for (const char* typed : {"50%_off*\\", "%", "_", "*", "o'brien"})
        EXPECT_EQ(search({typed}), Strings{"Y'7"}) << typed;
    EXPECT_EQ(search({"od錠"}), Strings{"Y3"});
    EXPECT_EQ(search({"＄"}), Strings{"Y6"});
    EXPECT_EQ(search({"ＯＤ"}), Strings{});
    EXPECT_TRUE(messages.empty());
}

TEST_P(Queries, SearchTextsAreCutToTheSearchFieldNeverPastTheEnginesPatternLimit) {
    // Far longer than any field and than the engine's LIKE pattern limit (50,000 bytes).
    std::string longName = "アムロ";
    while (longName.size() < 90000) longName += "ジピン錠";
    EXPECT_EQ(search({longName, "", "", "", "", longName}), Strings{});
    // The field holds 249 bytes of text: a 250th byte is never part of the search.
    ASSERT_TRUE(raw()->exec("UPDATE Medicine_Information SET PRODUCTNAME = '" +
                            std::string(249, 'x') + "' WHERE YJCODE = 'Y1'"));
    EXPECT_EQ(search({std::string(249, 'x') + "y"}), Strings{"Y1"});
    EXPECT_TRUE(messages.empty());
}

TEST_P(Queries, SameKindListsSkipMarkerRowsAndUnknownDrugs) {
    ListCollector names, yjcodes;
    ASSERT_EQ(RecordDohinsyu("Y2", &names.sink, &yjcodes.sink), 0);
    EXPECT_EQ(yjcodes.items, (Strings{"Y3", "Y5", "Y2", "Y6"}));  // the drug itself included
    EXPECT_EQ(names.items.front(), "アムロジピンOD錠");

    for (const char* code : {"Y6", "NOPE", "Y'7"}) {  // marker row, unknown, no general name
        ListCollector n, y;
        ASSERT_EQ(RecordDohinsyu(code, &n.sink, &y.sink), 0);
        EXPECT_TRUE(y.items.empty()) << code;
    }
    ListCollector n, y;
    ASSERT_EQ(RecordDohinsyu2(sjis::fromUtf8("ロキソプロフェン").c_str(), &n.sink, &y.sink), 0);
    ASSERT_EQ(RecordDohinsyu2("it's", &n.sink, &y.sink), 0);
    EXPECT_EQ(y.items, Strings{"Y1"});
}

TEST_P(Queries, NameAndCodeListsHonourTheirOrderAndRoomAndMayBeEmpty) {
    ListCollector list;
    list.items = {"old"};
    ASSERT_EQ(RecordSort(0, &list.sink), 0);
    EXPECT_EQ(list.clears, 1);
    ASSERT_EQ(list.items.size(), 7u);
    EXPECT_EQ(list.items.front() + "|" + list.items.back(), "|ロキソプロフェン");  // empty first
    ASSERT_EQ(RecordSort(1, &list.sink), 0);
    EXPECT_EQ(list.items.front(), "ロキソプロフェン");
    ASSERT_EQ(RecordSort(7, &list.sink), 0);  // an unknown order sorts ascending
    EXPECT_EQ(list.items.back(), "ロキソプロフェン");

    char slots[4 * 25];
    std::memset(slots, 'x', sizeof slots);
    ASSERT_EQ(RecordREYJ(slots, 3), 0);
    EXPECT_EQ(Strings({slots, slots + 25, slots + 50}), (Strings{"Y'7", "Y3", "Y5"}));
    EXPECT_EQ(std::string(slots + 75, 25), std::string(25, 'x'));
    ListCollector listNames;
    ASSERT_EQ(RecordDisplayFU(&listNames.sink, slots, 2), 0);
    EXPECT_EQ(listNames.items, (Strings{"O'Brien 50%_off*\\", "アムロジピンOD錠"}));

    ASSERT_TRUE(raw()->exec("DELETE FROM Medicine_Information"));
    ViewCollector view;
    ListCollector none;
    int counter = 3;
    EXPECT_EQ(RecordDisplay(&view.sink, &none.sink, &none.sink, &none.sink, &counter, 1), 0);
    EXPECT_EQ(search({}), Strings{});
    EXPECT_EQ(counter, 3);
    EXPECT_TRUE(view.rows.empty() && none.items.empty());
}
