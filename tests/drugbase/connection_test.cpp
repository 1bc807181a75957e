#include <fstream>

#include "catalogue_fixture.h"

namespace {

class Messages {
  public:
    Messages() {
        RecordSetMessageHandler(
            [](void* c, const char* t) {
                static_cast<Messages*>(c)->list.push_back(sjis::toUtf8(t));
            },
            this);
    }
    ~Messages() { RecordSetMessageHandler(nullptr, nullptr); }
    std::vector<std::string> list;
};

}  // namespace

TEST(Connection, MissingFileIsReportedOnceAndEveryCallFailsToOpen) {
    TempDir dir;
    Messages m;
    EXPECT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(m.list, std::vector<std::string>{"薬剤ファイルがありません。"});

    DrugRecord r{};
    int counter = 7;
    EXPECT_EQ(RecordDetail(&r, "X"), 99);
    EXPECT_EQ(RecordDisplay(nullptr, nullptr, nullptr, nullptr, &counter, 0), 99);
    EXPECT_EQ(RecordCreate(&r), 1);
    EXPECT_EQ(counter, 7);
    EXPECT_EQ(m.list.size(), 4u);
    EXPECT_EQ(m.list[1], "Error:DATABASE.Open");
    EXPECT_EQ(m.list[3], "Error:DATABASE.Open");
    RecordClose();
}

TEST(Connection, UnreadableFilesFailAtTheDatabaseOpen) {
    TempDir dir;
    const auto file = dir.path() / "薬剤ファイル.mdb";
    for (const std::string& content :
         {std::string(), std::string("not a database at all, but long enough")}) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
        Messages m;
        ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
        EXPECT_EQ(RecordCreate00("A"), 99);
        EXPECT_EQ(m.list, std::vector<std::string>{"Error:DATABASE.Open"});
        RecordClose();
    }
    // A database keyed with another password.
    std::filesystem::remove(file);
    std::string error;
    ASSERT_TRUE(sqlkit::createEncrypted(file, "another", "CREATE TABLE t (x)", &error)) << error;
    Messages m;
    ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
    EXPECT_EQ(RecordDell("A"), 99);
    EXPECT_EQ(m.list, std::vector<std::string>{"Error:DATABASE.Open"});
    RecordClose();
}

TEST(Connection, MissingTableFailsAtTheRecordsetOpen) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(sqlkit::createEncrypted(dir.path() / "薬剤ファイル.mdb", "HN%tPQS",
                                        "CREATE TABLE other (x)", &error));
    Messages m;
    ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
    DrugRecord r{};
    SET(r, PRODUCTNAME, "薬");
    EXPECT_EQ(RecordDetail(&r, "A"), 99);
    EXPECT_EQ(RecordCreate(&r), 1);
    EXPECT_EQ(m.list,
              (std::vector<std::string>{"Error:Could not RECORDSET.Open", "Error:RECORDSET.Open"}));
    RecordClose();
}

TEST(Connection, TheFileStaysReadableWithThePassword) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(drugbase::createCatalogue(dir.path(), &error)) << error;
    // A plain SQLite reader sees no table: the file is encrypted.
    std::ifstream in(dir.path() / "薬剤ファイル.mdb", std::ios::binary);
    std::string head(16, '\0');
    in.read(head.data(), 16);
    EXPECT_NE(head, std::string("SQLite format 3\0", 16));
    auto db = sqlkit::openEncrypted(dir.path() / "薬剤ファイル.mdb", "HN%tPQS", &error);
    ASSERT_TRUE(db) << error;
    sqlkit::Statement columns(db.get(), "PRAGMA table_info(Medicine_Information)");
    std::vector<std::string> names;
    while (columns.step()) names.emplace_back(columns.text(1));
    ASSERT_EQ(names.size(), 43u);
    EXPECT_EQ(names.front(), "YJCODE");
    EXPECT_EQ(names[19], "SAYOA");
    EXPECT_EQ(names.back(), "OPTION4");
}

TEST(Connection, FileFinderMatchesWildcards) {
    TempDir dir;
    std::ofstream(dir.path() / "Userfile.e") << "x";
    const auto p = [&](const char* name) { return (dir.path() / name).string(); };
    EXPECT_NE(filefinder(p("Userfile.e").c_str()), 0);
    EXPECT_NE(filefinder(p("*.e").c_str()), 0);
    EXPECT_NE(filefinder(p("User?ile.*").c_str()), 0);
    EXPECT_EQ(filefinder(p("*.mdb").c_str()), 0);
    EXPECT_EQ(filefinder(p("Userfile.ee").c_str()), 0);
    EXPECT_EQ(filefinder((dir.path() / "missing" / "*").string().c_str()), 0);
    EXPECT_EQ(filefinder(""), 0);
}
