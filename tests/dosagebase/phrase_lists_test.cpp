// The three calls through the shared library: defaults, storing and reading back, failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "phrase_table.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class PhraseLists : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(folder);
        ASSERT_EQ(DRecordOpen(folder.string().c_str(), nullptr), 0);
    }
    PhraseTable read(int index) {
        PhraseTable table;
        EXPECT_EQ(DRecordREAD(table.bytes.data(), index), 0);
        return table;
    }
    std::vector<fs::path> folderEntries() {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename());
        return names;
    }

    TempDir dir;
    const fs::path folder = dir.path() / "データベース";
};

}  // namespace

TEST_F(PhraseLists, FirstUseDeliversDefaultsWithoutWritingFiles) {
    const auto usage = read(DOSAGEBASE_LIST_USAGE).listed();
    EXPECT_EQ(usage.front(), "１日３回　毎食後に服用");
    for (const char* phrase : {"１日２回　朝夕食後に服用", "１日１回　寝る前に服用", "痛い時に服用",
                               "患部に塗布", "１日数回　点眼"})
        EXPECT_NE(std::find(usage.begin(), usage.end(), phrase), usage.end()) << phrase;
    EXPECT_NE(std::find(usage.begin(), usage.end(), ""), usage.end()) << "no separator";

    const auto amounts = read(DOSAGEBASE_LIST_AMOUNT).listed();
    EXPECT_EQ(amounts.front(), "１回１錠");
    EXPECT_NE(std::find(amounts.begin(), amounts.end(), "適量"), amounts.end());
    const auto days = read(DOSAGEBASE_LIST_DAYS).listed();
    EXPECT_NE(std::find(days.begin(), days.end(), "１４日分"), days.end());

    // Every default converts to Shift-JIS whole: no character turned into "?".
    for (int index : {DOSAGEBASE_LIST_USAGE, DOSAGEBASE_LIST_AMOUNT, DOSAGEBASE_LIST_DAYS}) {
        PhraseTable table = read(index);
        for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
            EXPECT_EQ(table.cp932(i).find('?'), std::string_view::npos) << table.text(i);
    }
    EXPECT_TRUE(read(DOSAGEBASE_LIST_PRESCRIBER).listed().empty());
    EXPECT_TRUE(read(DOSAGEBASE_LIST_PHARMACIST).listed().empty());
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(PhraseLists, StoredTableReadsBackByteForByte) {
    PhraseTable table;
    table.set(0, "１日３回　毎食後に服用");
    table.set(1, "\r\n");
    table.set(2, "ａｂｃ　半角ｶﾀｶﾅ　漢字表示");  // "表" and "ソ" carry 0x5C as second byte
    // slot 3 stays empty: a gap in the middle of the list is kept
    table.set(4, "---");
    table.set(5, "\\100 円");
    table.set(6, "\\");
    table.set(7, std::string(200, 'x'));
    std::string longest;
    while (longest.size() < 99 * 3) longest += "あ";
    table.set(8, "a" + longest);  // 199 bytes: the longest text of whole characters
    table.set(249, "最後の行");
    ASSERT_EQ(DRecordDocument(table.bytes.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);

    PhraseTable back = read(DOSAGEBASE_LIST_PRESCRIBER);
    EXPECT_EQ(back.bytes, table.bytes);
    EXPECT_TRUE(back.isSeparator(1));
    EXPECT_EQ(back.text(4), "---");
    EXPECT_EQ(back.text(6), "\\");
    // The other lists are untouched and no temporary file is left behind.
    EXPECT_EQ(read(DOSAGEBASE_LIST_USAGE).listed().front(), "１日３回　毎食後に服用");
    EXPECT_EQ(folderEntries(), std::vector<fs::path>{"処方医.txt"});
}

TEST_F(PhraseLists, EmptiedListStaysEmptyInsteadOfReturningToDefaults) {
    PhraseTable empty;
    ASSERT_EQ(DRecordDocument(empty.bytes.data(), DOSAGEBASE_LIST_USAGE), 0);
    PhraseTable back;
    back.set(0, "前の内容");
    ASSERT_EQ(DRecordREAD(back.bytes.data(), DOSAGEBASE_LIST_USAGE), 0);
    EXPECT_EQ(back.bytes, empty.bytes);
}

TEST_F(PhraseLists, BadArgumentsTouchNothing) {
    PhraseTable table;
    std::fill(table.bytes.begin(), table.bytes.end(), '\xAA');
    const auto before = table.bytes;
    for (int index : {-1, DOSAGEBASE_LIST_COUNT, 1000}) {
        EXPECT_EQ(DRecordREAD(table.bytes.data(), index), 1);
        EXPECT_EQ(DRecordDocument(table.bytes.data(), index), 1);
    }
    EXPECT_EQ(DRecordREAD(nullptr, 0), 1);
    EXPECT_EQ(DRecordDocument(nullptr, 0), 1);
    EXPECT_EQ(table.bytes, before);
    EXPECT_TRUE(folderEntries().empty());

    // An empty folder name keeps the folder in use.
    EXPECT_EQ(DRecordOpen("", nullptr), 1);
    EXPECT_EQ(DRecordOpen(nullptr, nullptr), 1);
    ASSERT_EQ(DRecordDocument(PhraseTable().bytes.data(), DOSAGEBASE_LIST_DAYS), 0);
    EXPECT_TRUE(fs::exists(folder / "日数.txt"));
}

TEST_F(PhraseLists, UnreadableFileDeliversAnEmptyListAndSaysSo) {
    fs::create_directory(folder / "用量.txt");
    Messages messages;
    PhraseTable table;
    table.set(0, "前の内容");
    EXPECT_EQ(DRecordREAD(table.bytes.data(), DOSAGEBASE_LIST_AMOUNT), 99);
    EXPECT_EQ(table.bytes, PhraseTable().bytes);
    EXPECT_EQ(messages.list,
              std::vector<std::string>{"フレーズファイルを読み込めませんでした。（用量.txt）"});
}

TEST_F(PhraseLists, FailedWriteLeavesWhatWasThereAndNoTemporaryFile) {
    // The rename over the list's file fails when a folder stands in its place.
    fs::create_directory(folder / "薬剤師名.txt");
    std::ofstream(folder / "薬剤師名.txt" / "keep") << "kept";
    PhraseTable table;
    table.set(0, "薬剤師　花子");
    Messages messages;
    EXPECT_EQ(DRecordDocument(table.bytes.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_EQ(messages.list,
              std::vector<std::string>{"フレーズファイルを保存できませんでした。（薬剤師名.txt）"});
    EXPECT_EQ(folderEntries(), std::vector<fs::path>{"薬剤師名.txt"});
    EXPECT_TRUE(fs::exists(folder / "薬剤師名.txt" / "keep"));

    // A folder that does not exist cannot take the temporary file; nothing is created.
    ASSERT_EQ(DRecordOpen((dir.path() / "missing").string().c_str(), nullptr), 0);
    EXPECT_EQ(DRecordDocument(table.bytes.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    EXPECT_EQ(messages.list.size(), 2u);
}
