// The phrase store through its calls, on real list files in a temporary folder and on a
// real data server.
#include <cstring>
#include <fstream>
#include <sstream>

#include "dosagebase.h"
#include "library_fixture.h"
#include "list_server.h"
#include "pharmacy_store.h"

namespace fs = std::filesystem;

namespace {

using Table = std::vector<char>;

const Table kEmpty(DOSAGEBASE_TABLE_SIZE, 0), kUnwritten(DOSAGEBASE_TABLE_SIZE, 'X');
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

// The lists keep no file until one is saved; 処方医.txt is one a server never gets.
struct Lists {
    static constexpr const char* kFile = "処方医.txt";
    static constexpr const char* kPassword = "";
    static bool createFile(const fs::path&, std::string*) { return true; }
    static bool createTables(sqlkit::Connection& db, std::string* e) {
        return dosagebase::createListTable(db, e) && dosagebase::createPharmacyTable(db, e);
    }
    static int open(const char* folder, void* owner) { return DRecordOpen(folder, owner); }
    static void close() {}
    static void setHandler(DosageMessageHandler h, void* c) { DRecordSetMessageHandler(h, c); }
};

class PhraseStoreTest : public LibraryTest<Lists> {
  protected:
    fs::path folder() const { return data.path(); }
    Table read(int index, int expected = 0) {
        Table t = kUnwritten;
        EXPECT_EQ(DRecordREAD(t.data(), index), expected);
        return t;
    }
    // Every list through DRecordReadAll and the versions, from buffers filled beforehand.
    std::pair<std::vector<Table>, std::vector<unsigned long long>> readAll(int expected = 0) {
        Table all(DOSAGEBASE_LIST_COUNT * DOSAGEBASE_TABLE_SIZE, 'X');
        std::vector<unsigned long long> versions(DOSAGEBASE_LIST_COUNT, 7);
        EXPECT_EQ(DRecordReadAll(all.data(), versions.data()), expected);
        std::vector<Table> tables;
        for (auto at = all.begin(); at != all.end(); at += DOSAGEBASE_TABLE_SIZE)
            tables.emplace_back(at, at + DOSAGEBASE_TABLE_SIZE);
        return {tables, versions};
    }
    Strings listed(int index) {
        const Table t = read(index);
        Strings items;
        for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
            if (slot(t, i)[0] != 0) items.push_back(text(t, i) == "\r\n" ? "" : text(t, i));
        return items;
    }
    // What the folder holds besides 接続先.conf.
    std::vector<fs::path> entries() {
        std::vector<fs::path> names;
        for (const auto& e : fs::directory_iterator(folder()))
            if (e.path().filename() != "接続先.conf") names.push_back(e.path().filename());
        return names;
    }
    // The stored text of a list, in its file or its server row, as an operator edits it.
    std::string stored(int index, const char* fileName) {
        if (data.onServer())
            return storedText("SELECT PHRASES FROM Phrase_List WHERE LISTNO = " +
                              std::to_string(index));
        std::ostringstream file;
        file << std::ifstream(folder() / fileName).rdbuf();
        return file.str();
    }
    void edit(int index, const char* fileName, const std::string& content) {
        if (!data.onServer())
            std::ofstream(folder() / fileName, std::ios::binary) << content;
        else
            EXPECT_TRUE(raw()->exec("INSERT INTO Phrase_List VALUES (" + std::to_string(index) +
                                    ", '" + content + "')"));
    }
};

// The behaviour both engines share.
using PhraseStore = OnEachEngine<PhraseStoreTest>;
INSTANTIATE_ON_BOTH_ENGINES(PhraseStore);

using PhraseFiles = PhraseStoreTest;

class PhraseServer : public PhraseStoreTest {
  protected:
    Engine engine() const override { return Engine::Server; }
};

// The pharmacy's fields in order, as UTF-8; and one field set from UTF-8.
Strings pharmacyTexts(DosagePharmacy& p) {
    Strings texts;
    for (int field = DOSAGEBASE_PHARMACY_NAME; field <= DOSAGEBASE_PHARMACY_TELEPHONE; ++field) {
        unsigned size = 0;
        const char* data = DPharmacyField(&p, field, &size);
        texts.push_back(sjis::toUtf8(sjis::fieldText(data, size)));
    }
    return texts;
}
void setField(DosagePharmacy& p, int field, const std::string& utf8) {
    unsigned size = 0;
    char* data = DPharmacyField(&p, field, &size);
    sjis::copyField(data, size, sjis::fromUtf8(utf8));
}

}  // namespace

TEST_P(PhraseStore, FirstUseDeliversDefaultListsWithoutWritingFilesAndBadArgumentsTouchNothing) {
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

    Table t = kUnwritten;
    unsigned long long version = 0;
    for (int index : {-1, DOSAGEBASE_LIST_COUNT}) {
        EXPECT_EQ(DRecordREAD(t.data(), index), 1);
        EXPECT_EQ(DRecordDocument(t.data(), index), 1);
        EXPECT_EQ(DRecordReadVersion(t.data(), index, &version), 1);
        EXPECT_EQ(DRecordDocumentAt(t.data(), index, version, &version), 1);
    }
    EXPECT_EQ(DRecordREAD(nullptr, 0) + DRecordReadVersion(t.data(), 0, nullptr), 2);
    EXPECT_EQ(DRecordReadAll(nullptr, &version) + DRecordReadAll(t.data(), nullptr), 2);
    EXPECT_EQ(DRecordOpen("", nullptr), 1);
    EXPECT_EQ(t, kUnwritten);
    EXPECT_TRUE(entries().empty());
}

TEST_P(PhraseStore, StoredTableReadsBackByteForByteAloneAndWithTheOtherLists) {
    Table t = kEmpty;
    // Slot 1 a line break; slot 2 with second bytes 0x5C in Shift-JIS; slot 3 empty, a gap that
    // is kept; slot 6 199 bytes, the longest of whole characters.
    const std::pair<int, std::string> slots[] = {
        {0, "１日３回　毎食後に服用"}, {1, "\r\n"},  {2, "表示ｶﾀｶﾅ"}, {4, "---"}, {5, "\\注"},
        {6, "a" + repeat("あ", 99)},   {249, "最後"}};
    for (const auto& [i, phrase] : slots) put(t, i, phrase);
    ASSERT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_PRESCRIBER), t);

    const std::string file = stored(DOSAGEBASE_LIST_PRESCRIBER, "処方医.txt");
    EXPECT_TRUE(file.starts_with("１日３回　毎食後に服用\n---\n表示ｶﾀｶﾅ\n\n\\---\n\\\\注\n"));
    EXPECT_TRUE(file.ends_with("\n最後\n"));
    // No temporary file left; on a server the folder is not written at all.
    EXPECT_EQ(entries(),
              !data.onServer() ? std::vector<fs::path>{"処方医.txt"} : std::vector<fs::path>{});
    EXPECT_EQ(listed(DOSAGEBASE_LIST_USAGE).front(), "１日３回　毎食後に服用");

    // A list emptied by the operator stays empty rather than returning to its defaults.
    ASSERT_EQ(DRecordDocument(kEmpty.data(), DOSAGEBASE_LIST_USAGE), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_USAGE), kEmpty);

    // All lists at once, stored ones and never kept ones (defaults, version 0) alike, read as
    // each list's own read gives it.
    const auto [tables, versions] = readAll();
    for (int index = 0; index < DOSAGEBASE_LIST_COUNT; ++index) {
        unsigned long long version = 7;
        Table one = kUnwritten;
        ASSERT_EQ(DRecordReadVersion(one.data(), index, &version), 0);
        EXPECT_EQ(tables[index], one) << index;
        EXPECT_EQ(versions[index], version) << index;
    }
}

TEST_P(PhraseStore, HandEditedFileNeverOverrunsASlot) {
    // A byte order mark and CR LF; 300 bytes in Shift-JIS; a cut inside a character; characters
    // without a Shift-JIS form ("?" each); 251 lines.
    std::string content = "\xEF\xBB\xBF１回１錠\r\n" + repeat("あ", 150) + "\na" +
                          repeat("あ", 150) + "\n" + repeat("😀", 1000) + "\n";
    for (int i = 4; i < 250; ++i) content += "行" + std::to_string(i) + "\n";
    edit(DOSAGEBASE_LIST_AMOUNT, "用量.txt", content + "二百五十一行目\n");

    const Table t = read(DOSAGEBASE_LIST_AMOUNT);
    EXPECT_EQ((Strings{text(t, 0), text(t, 1), text(t, 2), text(t, 3), text(t, 249)}),
              (Strings{"１回１錠", repeat("あ", 100), "a" + repeat("あ", 99), std::string(200, '?'),
                       "行249"}));
    for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
        EXPECT_EQ(slot(t, i)[DOSAGEBASE_SLOT_SIZE - 1], 0) << i;
}

TEST_P(PhraseStore, ASaveFromAnOutdatedReadIsRefusedAndTheFirstSaveStays) {
    constexpr int kList = DOSAGEBASE_LIST_PRESCRIBER;
    // Two terminals read the prescribers before either saved.
    Table first = kEmpty, second = kEmpty, now = kEmpty;
    unsigned long long atFirst = 7, atSecond = 8, stored = 0, reread = 0;
    ASSERT_EQ(DRecordReadVersion(first.data(), kList, &atFirst), 0);
    ASSERT_EQ(DRecordReadVersion(second.data(), kList, &atSecond), 0);
    EXPECT_EQ(atFirst, atSecond);
    put(first, 0, "山田医院　山田太郎");
    put(second, 0, "鈴木クリニック　鈴木花子");
    ASSERT_EQ(DRecordDocumentAt(first.data(), kList, atFirst, &stored), 0);
    EXPECT_EQ(DRecordDocumentAt(second.data(), kList, atSecond, nullptr), DOSAGEBASE_CHANGED);
    ASSERT_EQ(DRecordReadVersion(now.data(), kList, &reread), 0);
    EXPECT_EQ(now, first);
    EXPECT_EQ(reread, stored);
    EXPECT_TRUE(messages.empty());

    // Read again, the second terminal's save goes through.
    put(now, 1, "鈴木クリニック　鈴木花子");
    ASSERT_EQ(DRecordDocumentAt(now.data(), kList, reread, nullptr), 0);
    EXPECT_EQ(read(kList), now);
    // A save by an older caller, without a version, also makes the versions read before old.
    ASSERT_EQ(DRecordReadVersion(now.data(), kList, &reread), 0);
    ASSERT_EQ(DRecordDocument(first.data(), kList), 0);
    EXPECT_EQ(DRecordDocumentAt(now.data(), kList, reread, nullptr), DOSAGEBASE_CHANGED);
    EXPECT_EQ(read(kList), first);
}

TEST_F(PhraseFiles, UnusableFileIsReportedAndLeavesWhatWasThere) {
    // A folder in place of the list file can be neither read nor replaced.
    fs::create_directories(folder() / "薬剤師名.txt" / "keep");
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST, 99), kEmpty);
    // Read with the others, only that list is lost: the others are delivered.
    const auto [tables, versions] = readAll(99);
    EXPECT_EQ(tables[DOSAGEBASE_LIST_PHARMACIST], kEmpty);
    EXPECT_EQ(versions[DOSAGEBASE_LIST_PHARMACIST], 0u);
    EXPECT_EQ(tables[DOSAGEBASE_LIST_USAGE], read(DOSAGEBASE_LIST_USAGE));
    Table t = kEmpty;
    put(t, 0, "薬剤師　花子");
    EXPECT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    const std::string unread = "フレーズファイルを読み込めませんでした。（薬剤師名.txt）";
    EXPECT_EQ(messages, (Strings{unread, unread,
                                 "フレーズファイルを保存できませんでした。（薬剤師名.txt）"}));
    EXPECT_EQ(entries(), std::vector<fs::path>{"薬剤師名.txt"});
    EXPECT_TRUE(fs::exists(folder() / "薬剤師名.txt" / "keep"));

    // Without the folder there is no place for the temporary file; nothing is created.
    ASSERT_EQ(DRecordOpen((folder() / "ない").string().c_str(), nullptr), 0);
    EXPECT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_FALSE(fs::exists(folder() / "ない"));
}

TEST_F(PhraseServer, AServerThatFailsIsReportedAndLeavesWhatWasThere) {
    Table t = kEmpty;
    put(t, 0, "薬剤師　花子");
    ASSERT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 0);
    ASSERT_TRUE(raw()->exec("ALTER TABLE Phrase_List RENAME TO Phrase_List_away"));
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST, 99), kEmpty);
    // All lists at once fail together, with one message.
    EXPECT_EQ(readAll(99).first, std::vector<Table>(DOSAGEBASE_LIST_COUNT, kEmpty));
    EXPECT_EQ(DRecordDocument(kEmpty.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_EQ(messages, Strings(3, "Error:Could not RECORDSET.Open"));
    ASSERT_TRUE(raw()->exec("ALTER TABLE Phrase_List_away RENAME TO Phrase_List"));
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST), t);

    // A server that is not there fails the call; the folder's own list file is never used
    // instead.
    messages.clear();
    std::ofstream(folder() / "用法.txt") << "ファイルの用法\n";
    std::ofstream(folder() / "接続先.conf", std::ios::trunc)
        << "host=" << (folder() / "no-server").string() << " dbname=x\n";
    ASSERT_EQ(DRecordOpen(folder().string().c_str(), nullptr), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_USAGE, 99), kEmpty);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("データベースサーバーに接続できません。\n接続先：host " +
                                        (folder() / "no-server").string() + " database x\n"))
        << messages[0];
}

TEST_P(PhraseStore, PharmacyIsUnsetUntilStoredThenReadsBackWhole) {
    DosagePharmacy p;
    std::memset(&p, 'X', sizeof p);
    ASSERT_EQ(DPharmacyRead(&p), 0);
    EXPECT_EQ(pharmacyTexts(p), Strings(6, ""));
    EXPECT_TRUE(entries().empty());

    const Strings values{"さくら薬局，駅前店",         "13",          "1234567", "100-0001",
                         "東京都千代田区千代田１－１", "03-1234-5678"};
    for (int f = 0; f < 6; ++f) setField(p, DOSAGEBASE_PHARMACY_NAME + f, values[f]);
    ASSERT_EQ(DPharmacyWrite(&p), 0);
    DosagePharmacy back;
    ASSERT_EQ(DPharmacyRead(&back), 0);
    EXPECT_EQ(pharmacyTexts(back), values);

    // A refused value stores nothing.
    setField(p, DOSAGEBASE_PHARMACY_PREFECTURE, "48");
    EXPECT_EQ(DPharmacyWrite(&p), DOSAGEBASE_BAD_ARGUMENT);
    ASSERT_EQ(DPharmacyRead(&back), 0);
    EXPECT_EQ(pharmacyTexts(back), values);
}

TEST(PharmacyCheck, EachFieldTakesEmptyOrItsShapeOnly) {
    struct Case {
        const char* name;
        int field;
        Strings taken, refused;
    };
    const Case cases[] = {
        {"prefecture", DOSAGEBASE_PHARMACY_PREFECTURE, {"01", "47"}, {"00", "48", "7"}},
        {"code", DOSAGEBASE_PHARMACY_CODE, {"1234567"}, {"123456", "123456A"}},
        {"postal code", DOSAGEBASE_PHARMACY_POSTAL_CODE, {"100-0001"}, {"1000001", "1000-001"}},
        {"telephone", DOSAGEBASE_PHARMACY_TELEPHONE, {"03-1234-5678"}, {"03-TEL", "--"}},
        {"name", DOSAGEBASE_PHARMACY_NAME, {"さくら薬局"}, {"さくら\n薬局"}},
        {"address", DOSAGEBASE_PHARMACY_ADDRESS, {"東京都 千代田区"}, {"東京都\t千代田区"}},
    };
    for (const Case& c : cases) {
        for (bool taken : {true, false})
            for (const std::string& value : taken ? c.taken : c.refused) {
                SCOPED_TRACE(std::string(c.name) + " " + value);
                DosagePharmacy p{};
                setField(p, c.field, value);
                EXPECT_EQ(DPharmacyCheck(&p), taken ? 0 : c.field);
            }
    }
    DosagePharmacy unterminated{};
    std::memset(unterminated.code, '1', sizeof unterminated.code);
    EXPECT_EQ(DPharmacyCheck(&unterminated), DOSAGEBASE_PHARMACY_CODE);
    EXPECT_EQ(DPharmacyCheck(nullptr), -1);
}
