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
        Table t(DOSAGEBASE_TABLE_SIZE, 'X');
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
        if (!data.onServer()) {
            std::ostringstream file;
            file << std::ifstream(folder() / fileName).rdbuf();
            return file.str();
        }
        auto server = raw();
        sqlkit::Statement s = server->prepare("SELECT PHRASES FROM Phrase_List WHERE LISTNO = ?");
        s.bindInt(1, index);
        EXPECT_TRUE(s.step()) << s.error();
        return std::string(s.text(0));
    }
    void edit(int index, const char* fileName, const std::string& content) {
        if (!data.onServer()) {
            std::ofstream(folder() / fileName, std::ios::binary) << content;
            return;
        }
        auto server = raw();
        sqlkit::Statement s = server->prepare("INSERT INTO Phrase_List VALUES (?, ?)");
        s.bindInt(1, index).bindText(2, content);
        s.step();
        EXPECT_FALSE(s.failed()) << s.error();
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

TEST_P(PhraseStore, StoredTableReadsBackByteForByteAloneAndWithTheOtherLists) {
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
        Table one(DOSAGEBASE_TABLE_SIZE, 'X');
        ASSERT_EQ(DRecordReadVersion(one.data(), index, &version), 0);
        EXPECT_EQ(tables[index], one) << index;
        EXPECT_EQ(versions[index], version) << index;
    }
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

TEST_P(PhraseStore, ASaveFromAnOutdatedReadIsRefusedAndTheFirstSaveStays) {
    // Two terminals read the prescribers before either saved.
    Table first = kEmpty, second = kEmpty, now = kEmpty;
    unsigned long long atFirst = 7, atSecond = 8, stored = 0, reread = 0;
    ASSERT_EQ(DRecordReadVersion(first.data(), DOSAGEBASE_LIST_PRESCRIBER, &atFirst), 0);
    ASSERT_EQ(DRecordReadVersion(second.data(), DOSAGEBASE_LIST_PRESCRIBER, &atSecond), 0);
    EXPECT_EQ(atFirst, atSecond);
    put(first, 0, "山田医院　山田太郎");
    put(second, 0, "鈴木クリニック　鈴木花子");
    ASSERT_EQ(DRecordDocumentAt(first.data(), DOSAGEBASE_LIST_PRESCRIBER, atFirst, &stored), 0);
    EXPECT_EQ(DRecordDocumentAt(second.data(), DOSAGEBASE_LIST_PRESCRIBER, atSecond, nullptr),
              DOSAGEBASE_CHANGED);
    ASSERT_EQ(DRecordReadVersion(now.data(), DOSAGEBASE_LIST_PRESCRIBER, &reread), 0);
    EXPECT_EQ(now, first);
    EXPECT_EQ(reread, stored);
    EXPECT_TRUE(messages.empty());

    // Read again, the second terminal's save goes through.
    put(now, 1, "鈴木クリニック　鈴木花子");
    ASSERT_EQ(DRecordDocumentAt(now.data(), DOSAGEBASE_LIST_PRESCRIBER, reread, nullptr), 0);
    EXPECT_EQ(read(DOSAGEBASE_LIST_PRESCRIBER), now);
    // A save by an older caller, without a version, also makes the versions read before old.
    ASSERT_EQ(DRecordReadVersion(now.data(), DOSAGEBASE_LIST_PRESCRIBER, &reread), 0);
    ASSERT_EQ(DRecordDocument(first.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);
    EXPECT_EQ(DRecordDocumentAt(now.data(), DOSAGEBASE_LIST_PRESCRIBER, reread, nullptr),
              DOSAGEBASE_CHANGED);
    EXPECT_EQ(read(DOSAGEBASE_LIST_PRESCRIBER), first);
}

TEST_P(PhraseStore, BadArgumentsTouchNothing) {
    Table t(DOSAGEBASE_TABLE_SIZE, 'X');
    unsigned long long version = 0;
    for (int index : {-1, DOSAGEBASE_LIST_COUNT}) {
        EXPECT_EQ(DRecordREAD(t.data(), index), 1);
        EXPECT_EQ(DRecordDocument(t.data(), index), 1);
        EXPECT_EQ(DRecordReadVersion(t.data(), index, &version), 1);
        EXPECT_EQ(DRecordDocumentAt(t.data(), index, version, &version), 1);
    }
    EXPECT_EQ(DRecordREAD(nullptr, 0), 1);
    EXPECT_EQ(DRecordReadVersion(t.data(), 0, nullptr), 1);
    EXPECT_EQ(DRecordReadAll(nullptr, &version), 1);
    EXPECT_EQ(DRecordReadAll(t.data(), nullptr), 1);
    EXPECT_EQ(DRecordOpen("", nullptr), 1);
    EXPECT_EQ(t, Table(DOSAGEBASE_TABLE_SIZE, 'X'));
    EXPECT_TRUE(entries().empty());
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
    EXPECT_EQ(messages, (Strings{"フレーズファイルを読み込めませんでした。（薬剤師名.txt）",
                                 "フレーズファイルを読み込めませんでした。（薬剤師名.txt）",
                                 "フレーズファイルを保存できませんでした。（薬剤師名.txt）"}));
    EXPECT_TRUE(fs::exists(folder() / "薬剤師名.txt" / "keep"));
    EXPECT_EQ(entries(), std::vector<fs::path>{"薬剤師名.txt"});

    // Without the folder there is no place for the temporary file; nothing is created.
    ASSERT_EQ(DRecordOpen((folder() / "ない").string().c_str(), nullptr), 0);
    EXPECT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_FALSE(fs::exists(folder() / "ない"));
}

TEST_F(PhraseServer, AServerThatFailsIsReportedAndLeavesWhatWasThere) {
    Table t = kEmpty;
    put(t, 0, "薬剤師　花子");
    ASSERT_EQ(DRecordDocument(t.data(), DOSAGEBASE_LIST_PHARMACIST), 0);
    auto server = raw();
    ASSERT_TRUE(server->exec("ALTER TABLE Phrase_List RENAME TO Phrase_List_away"));
    EXPECT_EQ(read(DOSAGEBASE_LIST_PHARMACIST, 99), kEmpty);
    // All lists at once fail together, with one message.
    EXPECT_EQ(readAll(99).first, std::vector<Table>(DOSAGEBASE_LIST_COUNT, kEmpty));
    EXPECT_EQ(DRecordDocument(kEmpty.data(), DOSAGEBASE_LIST_PHARMACIST), 99);
    EXPECT_EQ(messages, (Strings{"Error:Could not RECORDSET.Open", "Error:Could not RECORDSET.Open",
                                 "Error:Could not RECORDSET.Open"}));
    ASSERT_TRUE(server->exec("ALTER TABLE Phrase_List_away RENAME TO Phrase_List"));
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

// The pharmacy's fields in order, as UTF-8.
Strings pharmacyTexts(DosagePharmacy& p) {
    Strings texts;
    for (int field = DOSAGEBASE_PHARMACY_NAME; field <= DOSAGEBASE_PHARMACY_TELEPHONE; ++field) {
        unsigned size = 0;
        const char* data = DPharmacyField(&p, field, &size);
        texts.push_back(sjis::toUtf8(sjis::fieldText(data, size)));
    }
    return texts;
}

TEST_P(PhraseStore, PharmacyIsUnsetUntilStoredThenReadsBackWhole) {
    DosagePharmacy p;
    std::memset(&p, 'X', sizeof p);
    ASSERT_EQ(DPharmacyRead(&p), 0);
    EXPECT_EQ(pharmacyTexts(p), Strings(6, ""));
    EXPECT_TRUE(entries().empty());

    SET(p, name, "さくら薬局，駅前店");
    SET(p, prefecture, "13");
    SET(p, code, "1234567");
    SET(p, postalCode, "100-0001");
    SET(p, address, "東京都千代田区千代田１－１");
    SET(p, telephone, "03-1234-5678");
    ASSERT_EQ(DPharmacyWrite(&p), 0);
    DosagePharmacy back;
    ASSERT_EQ(DPharmacyRead(&back), 0);
    EXPECT_EQ(pharmacyTexts(back), pharmacyTexts(p));

    // A refused value stores nothing.
    SET(p, prefecture, "48");
    EXPECT_EQ(DPharmacyWrite(&p), DOSAGEBASE_BAD_ARGUMENT);
    ASSERT_EQ(DPharmacyRead(&back), 0);
    EXPECT_EQ(pharmacyTexts(back)[1], "13");
}

TEST(PharmacyCheck, EachFieldTakesEmptyOrItsShapeOnly) {
    struct Case {
        const char* name;
        int field;
        const char* value;
        bool taken;
    };
    const Case cases[] = {
        {"prefecture first", DOSAGEBASE_PHARMACY_PREFECTURE, "01", true},
        {"prefecture last", DOSAGEBASE_PHARMACY_PREFECTURE, "47", true},
        {"prefecture zero", DOSAGEBASE_PHARMACY_PREFECTURE, "00", false},
        {"prefecture past", DOSAGEBASE_PHARMACY_PREFECTURE, "48", false},
        {"prefecture one digit", DOSAGEBASE_PHARMACY_PREFECTURE, "7", false},
        {"code", DOSAGEBASE_PHARMACY_CODE, "1234567", true},
        {"code short", DOSAGEBASE_PHARMACY_CODE, "123456", false},
        {"code letter", DOSAGEBASE_PHARMACY_CODE, "123456A", false},
        {"postal", DOSAGEBASE_PHARMACY_POSTAL_CODE, "100-0001", true},
        {"postal without hyphen", DOSAGEBASE_PHARMACY_POSTAL_CODE, "1000001", false},
        {"postal hyphen misplaced", DOSAGEBASE_PHARMACY_POSTAL_CODE, "1000-001", false},
        {"phone", DOSAGEBASE_PHARMACY_TELEPHONE, "03-1234-5678", true},
        {"phone letters", DOSAGEBASE_PHARMACY_TELEPHONE, "03-TEL", false},
        {"phone hyphens only", DOSAGEBASE_PHARMACY_TELEPHONE, "--", false},
        {"name line break", DOSAGEBASE_PHARMACY_NAME, "さくら\n薬局", false},
        {"address tab", DOSAGEBASE_PHARMACY_ADDRESS, "東京都\t千代田区", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DosagePharmacy p{};
        unsigned size = 0;
        char* field = DPharmacyField(&p, c.field, &size);
        sjis::copyField(field, size, sjis::fromUtf8(c.value));
        EXPECT_EQ(DPharmacyCheck(&p), c.taken ? 0 : c.field);
    }
    DosagePharmacy unterminated{};
    std::memset(unterminated.code, '1', sizeof unterminated.code);
    EXPECT_EQ(DPharmacyCheck(&unterminated), DOSAGEBASE_PHARMACY_CODE);
    EXPECT_EQ(DPharmacyCheck(nullptr), -1);
}
