// The list files as a person sees and edits them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "phrase_table.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

class ListFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(DRecordOpen(dir.path().string().c_str(), nullptr), 0); }
    void writeFile(const std::string& name, const std::string& content) {
        std::ofstream(dir.path() / name, std::ios::binary) << content;
    }
    std::string readFile(const std::string& name) {
        std::ifstream in(dir.path() / name, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string repeat(const std::string& text, int n) {
        std::string out;
        while (n-- > 0) out += text;
        return out;
    }
    TempDir dir;
};

}  // namespace

TEST_F(ListFile, IsOnePhrasePerLineWithMarkersAndEscapes) {
    PhraseTable table;
    table.set(0, "１日３回　毎食後に服用");
    table.set(1, "\r\n");
    table.set(3, "---");
    table.set(4, "\\注");
    table.set(5, "二行\r\nの句");
    ASSERT_EQ(DRecordDocument(table.bytes.data(), DOSAGEBASE_LIST_USAGE), 0);
    EXPECT_EQ(readFile("用法.txt"), "１日３回　毎食後に服用\n---\n\n\\---\n\\\\注\n二行  の句\n");
}

TEST_F(ListFile, HandEditedFileIsReadWithinTheSlots) {
    std::string content = "\xEF\xBB\xBF１回１錠\r\n";  // byte order mark, CR LF line end
    content += repeat("あ", 150) + "\n";               // 300 bytes in Shift-JIS
    content += "a" + repeat("あ", 150) + "\n";         // the cut falls inside a character
    content += repeat("😀", 1000) + "\n";               // no Shift-JIS form: one "?" each
    content += "---\n\\---\n\n";
    for (int i = 7; i < 250; ++i) content += "行" + std::to_string(i) + "\n";
    content += "二百五十一行目\n";
    writeFile("用量.txt", content);

    PhraseTable table;
    ASSERT_EQ(DRecordREAD(table.bytes.data(), DOSAGEBASE_LIST_AMOUNT), 0);
    EXPECT_EQ(table.text(0), "１回１錠");
    EXPECT_EQ(table.text(1), repeat("あ", 100));
    EXPECT_EQ(table.text(2), "a" + repeat("あ", 99));
    EXPECT_EQ(table.text(3), std::string(200, '?'));
    EXPECT_TRUE(table.isSeparator(4));
    EXPECT_EQ(table.text(5), "---");
    EXPECT_EQ(table.slot(6)[0], 0);
    EXPECT_EQ(table.text(7), "行7");
    EXPECT_EQ(table.text(249), "行249");
    // Every slot keeps its terminator.
    for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
        EXPECT_EQ(table.slot(i)[DOSAGEBASE_SLOT_SIZE - 1], 0) << i;
}

TEST_F(ListFile, ExistingEmptyFileIsAnEmptyList) {
    writeFile("処方医.txt", "");
    writeFile("用法.txt", "\n\n\n");
    for (int index : {DOSAGEBASE_LIST_PRESCRIBER, DOSAGEBASE_LIST_USAGE}) {
        PhraseTable table;
        table.set(0, "前の内容");
        ASSERT_EQ(DRecordREAD(table.bytes.data(), index), 0);
        EXPECT_EQ(table.bytes, PhraseTable().bytes) << index;
    }
}
