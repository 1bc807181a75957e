// The phrase store through its three calls, on real list files in a temporary folder and on a
// real data server.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dosagebase.h"
#include "list_server.h"
#include "pg_server.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

using Table = std::vector<char>;

const Table kEmpty(DOSAGEBASE_TABLE_SIZE, 0);
const char* slot(const Table& t, int i) {
    return t.data() + i * DOSAGEBASE_SLOT_SIZE;
}
std::string text(const Table& t, int i) {
    return sjis::toUtf8(sjis::fieldText(slot(t, i), DOSAGEBASE_SLOT_SIZE));
}
void put(Table& t, int i, const std::string& utf8) {
    sjis::copyField(t.data() + i * DOSAGEBASE_SLOT_SIZE, DOSAGEBASE_SLOT_SIZE,
                    sjis::fromUtf8(utf8));
}
std::string repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0) out += s;
    return out;
}

enum class Engine { Files, Server };

// The lists in the files of a temporary folder, or on a fresh database of the test server that
// the folder's 接続先.conf names.
class PhraseStoreTest : public ::testing::Test {
  protected:
    explicit PhraseStoreTest(Engine engine) : engine(engine) {}

    void SetUp() override {
        fs::create_directory(folder);
        if (engine == Engine::Server) {
            if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
            conninfo = testServer().freshDatabase();
            std::string error;
            server = sqlkit::openServer(conninfo, &error);
            ASSERT_TRUE(server) << error;
            ASSERT_TRUE(dosagebase::createListTable(*server, &error)) << error;
            std::ofstream(folder / "接続先.conf") << conninfo << "\n";
        }
        ASSERT_EQ(DRecordOpen(folder.string().c_str(), nullptr), 0);
        DRecordSetMessageHandler(
            [](void* c, const char* t) {
                static_cast<std::vector<std::string>*>(c)->push_back(sjis::toUtf8(t));
            },
            &messages);
    }
    void TearDown() override { DRecordSetMessageHandler(nullptr, nullptr); }

    Table read(int index, int expected = 0) {
        Table t(DOSAGEBASE_TABLE_SIZE, 'X');
        EXPECT_EQ(DRecordREAD(t.data(), index), expected);
        return t;
    }
    std::vector<std::string> listed(int index) {
        const Table t = read(index);
        std::vector<std::string> items;
        for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
            if (slot(t, i)[0] != 0) items.push_back(text(t, i) == "\r\n" ? "" : text(t, i));
        return items;
    }
    // What the folder holds besides 接続先.conf.
    std::vector<fs::path> entries() {
        std::vector<fs::path> names;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().filename() != "接続先.conf") names.push_back(e.path().filename());
        return names;
    }
    // The stored text of a list, in its file or its server row, as an operator edits it.
    std::string stored(int index, const char* fileName) {
        if (engine == Engine::Files) {
            std::ostringstream file;
            file << std::ifstream(folder / fileName).rdbuf();
            return file.str();
        }
        sqlkit::Statement s = server->prepare("SELECT PHRASES FROM Phrase_List WHERE LISTNO = ?");
        s.bindInt(1, index);
        EXPECT_TRUE(s.step()) << s.error();
        return std::string(s.text(0));
    }
    void edit(int index, const char* fileName, const std::string& content) {
        if (engine == Engine::Files) {
            std::ofstream(folder / fileName, std::ios::binary) << content;
            return;
        }
        sqlkit::Statement s = server->prepare("INSERT INTO Phrase_List VALUES (?, ?)");
        s.bindInt(1, index).bindText(2, content);
        s.step();
        EXPECT_FALSE(s.failed()) << s.error();
    }

    const Engine engine;
    TempDir dir;
    const fs::path folder = dir.path() / "データベース";
    std::string conninfo;
    sqlkit::ConnectionPtr server;
    std::vector<std::string> messages;
};

// The behaviour both engines share.
class PhraseStore : public PhraseStoreTest, public ::testing::WithParamInterface<Engine> {
  protected:
    PhraseStore() : PhraseStoreTest(GetParam()) {}
};
INSTANTIATE_TEST_SUITE_P(Engines, PhraseStore, ::testing::Values(Engine::Files, Engine::Server),
                         [](const auto& info) {
                             return info.param == Engine::Files ? "Files" : "Server";
                         });

class PhraseFiles : public PhraseStoreTest {
  protected:
    PhraseFiles() : PhraseStoreTest(Engine::Files) {}
};

class PhraseServer : public PhraseStoreTest {
  protected:
    PhraseServer() : PhraseStoreTest(Engine::Server) {}
};

}  // namespace

TEST_P(PhraseStore, FirstUseDeliversDefaultListsWithoutWritingFiles) {
    EXPECT_EQ(listed(DOSAGEBASE_LIST_USAGE).front(), "１日３回　毎食後に服用");
    // Every default phrase has a Shift-JIS form: none came out as "?".
    for (int index : {DOSAGEBASE_LIST_USAGE, DOSAGEBASE_LIST_AMOUNT, DOSAGEBASE_LIST_DAYS}) {
        const auto phrases = listed(index);
        EXPECT_GT(phrases.size(), 3u) << index;
        for (const std::string& phrase : phrases)
            EXPECT_EQ(phrase.find('?'), std::string::npos) << phrase;
    }
    EXPECT_EQ(read(DOSAGEBASE_LIST_PRESCRIBER), kEmpty);
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST), kEmpty);
    EXPECT_TRUE(entries().empty());
}

TEST_P(PhraseStore, StoredTableReadsBackByteForByteFromAReadableFile) {
    Table t = kEmpty;
    put(t, 0, "１日３回　毎食後に服用");
    put(t, 1, "\r\n");
    put(t, 2, "表示ｶﾀｶﾅ");  // second bytes 0x5C in Shift-JIS
    put(t, 4, "---");       // slot 3 stays empty: a gap is kept
    put(t, 5, "\\注");
    put(t, 6, "a" + repeat("あ", 99));  // 199 bytes, the longest of whole characters
    put(t, 249, "最後");
    ASSERT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_PRESCRIBER), t);

    const std::string file = stored(DOSAGEBASE_LIST_PRESCRIBER, "処方医.txt");
    EXPECT_TRUE(file.starts_with("１日３回　毎食後に服用\n---\n表示ｶﾀｶﾅ\n\n\\---\n\\\\注\n"));
    EXPECT_TRUE(file.ends_with("\n最後\n"));
    // No temporary file left; on a server the folder is not written at all.
    EXPECT_EQ(entries(), engine == Engine::Files ? std::vector<fs::path>{"処方医.txt"}
                                                 : std::vector<fs::path>{});
    EXPECT_EQ(listed(DOSAGEBASE_LIST_USAGE).front(), "１日３回　毎食後に服用");

    // A list emptied by the operator stays empty rather than returning to its defaults.
    ASSERT_EQ(DRecordDocument(kEmpty.data(), DOSAGEBASE_LIST_USAGE), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_USAGE), kEmpty);
}

TEST_P(PhraseStore, HandEditedFileNeverOverrunsASlot) {
    std::string content = "\xEF\xBB\xBF１回１錠\r\n";  // byte order mark, CR LF
    content += repeat("あ", 150) + "\n";               // 300 bytes in Shift-JIS
    content += "a" + repeat("あ", 150) + "\n";         // the cut falls inside a character
    content += repeat("😀", 1000) + "\n";               // no Shift-JIS form: "?" each
    for (int i = 4; i < 250; ++i) content += "行" + std::to_string(i) + "\n";
    content += "二百五十一行目\n";
    edit(DOSAGEBASE_LIST_AMOUNT, "用量.txt", content);

    const Table t = read(DOSAGEBASE_LIST_AMOUNT);
    EXPECT_EQ(text(t, 0), "１回１錠");
    EXPECT_EQ(text(t, 1), repeat("あ", 100));
    EXPECT_EQ(text(t, 2), "a" + repeat("あ", 99));
    EXPECT_EQ(text(t, 3), std::string(200, '?'));
    EXPECT_EQ(text(t, 249), "行249");
    for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
        EXPECT_EQ(slot(t, i)[DOSAGEBASE_SLOT_SIZE - 1], 0) << i;
}

TEST_P(PhraseStore, BadArgumentsTouchNothing) {
    Table t(DOSAGEBASE_TABLE_SIZE, 'X');
    for (int index : {-1, DOSAGEBASE_LIST_COUNT}) {
        EXPECT_EQ(DRecordREAD(t.data(), index), 1);
        EXPECT_EQ(DRecordDocument(t.data(), index), 1);
    }
    EXPECT_EQ(DRecordREAD(nullptr, 0), 1);
    EXPECT_EQ(DRecordOpen("", nullptr), 1);
    EXPECT_EQ(t, Table(DOSAGEBASE_TABLE_SIZE, 'X'));
    EXPECT_TRUE(entries().empty());
}

TEST_F(PhraseFiles, UnusableFileIsReportedAndLeavesWhatWasThere) {
    // A folder in place of the list file can be neither read nor replaced.
    fs::create_directories(folder / "薬剤師名.txt" / "keep");
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST, 99), kEmpty);
    Table t = kEmpty;
    put(t, 0, "薬剤師　花子");
    EXPECT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "フレーズファイルを読み込めませんでした。（薬剤師名.txt）",
                            "フレーズファイルを保存できませんでした。（薬剤師名.txt）"}));
    EXPECT_TRUE(fs::exists(folder / "薬剤師名.txt" / "keep"));
    EXPECT_EQ(entries(), std::vector<fs::path>{"薬剤師名.txt"});

    // Without the folder there is no place for the temporary file; nothing is created.
    ASSERT_EQ(DRecordOpen((dir.path() / "ない").string().c_str(), nullptr), 0);
    EXPECT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_FALSE(fs::exists(dir.path() / "ない"));
}

TEST_F(PhraseServer, AServerThatFailsIsReportedAndLeavesWhatWasThere) {
    Table t = kEmpty;
    put(t, 0, "薬剤師　花子");
    ASSERT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 0);
    ASSERT_TRUE(server->exec("ALTER TABLE Phrase_List RENAME TO Phrase_List_away"));
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST, 99), kEmpty);
    EXPECT_EQ(DRecordDocument(kEmpty.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_EQ(messages, (std::vector<std::string>{"Error:Could not RECORDSET.Open",
                                                  "Error:Could not RECORDSET.Open"}));
    ASSERT_TRUE(server->exec("ALTER TABLE Phrase_List_away RENAME TO Phrase_List"));
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST), t);

    // A server that is not there, and a connection string carrying a password, are refused at
    // the first call; the lists of the folder's files are never used instead.
    std::ofstream(folder / "用法.txt") << "ファイルの用法\n";
    for (const std::string& address :
         {"host=" + (dir.path() / "no-server").string() + " dbname=x", conninfo + " password=x"}) {
        messages.clear();
        std::ofstream(folder / "接続先.conf", std::ios::trunc) << address << "\n";
        ASSERT_EQ(DRecordOpen(folder.string().c_str(), nullptr), 0);
        EXPECT_EQ(read(DOSAGEBASE_LIST_USAGE, 99), kEmpty) << address;
        EXPECT_EQ(messages, std::vector<std::string>{"Error:DATABASE.Open"}) << address;
    }
}
