#include <fstream>
#include <functional>

#include "catalogue_fixture.h"

using std::filesystem::path;

TEST(Connection, AFileThatCannotBeOpenedFailsEveryCallAtTheDatabaseOpen) {
    const std::function<void(const path&)> plants[] = {
        [](const path&) {},  // no file: RecordOpen also says so
        [](const path& f) { std::ofstream(f, std::ios::binary); },
        [](const path& f) { std::ofstream(f) << "not a database at all, but long enough"; },
        [](const path& f) {
            ASSERT_TRUE(sqlkit::createEncrypted(f, "another", "CREATE TABLE t (x)", nullptr));
        },
    };
    for (std::size_t i = 0; i < std::size(plants); ++i) {
        TempDir dir;
        plants[i](dir.path() / "薬剤ファイル.mdb");
        MessageLog m;
        ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
        DrugRecord r{};
        SET(r, PRODUCTNAME, "薬");
        int counter = 7;
        EXPECT_EQ(RecordDetail(&r, "X"), 99);
        EXPECT_EQ(RecordDisplay(nullptr, nullptr, nullptr, nullptr, &counter, 0), 99);
        EXPECT_EQ(RecordCreate(&r), 1);
        EXPECT_EQ(RecordDell("A"), 99);
        EXPECT_EQ(counter, 7);
        Strings expected(4, "Error:DATABASE.Open");
        if (i == 0) expected.insert(expected.begin(), "薬剤ファイルがありません。");
        EXPECT_EQ(m.list, expected) << "case " << i;
        RecordClose();
    }
}

TEST(Connection, MissingTableFailsAtTheRecordsetOpen) {
    TempDir dir;
    ASSERT_TRUE(sqlkit::createEncrypted(dir.path() / "薬剤ファイル.mdb", "HN%tPQS",
                                        "CREATE TABLE other (x)", nullptr));
    MessageLog m;
    ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
    DrugRecord r{};
    SET(r, PRODUCTNAME, "薬");
    EXPECT_EQ(RecordDetail(&r, "A"), 99);
    EXPECT_EQ(RecordCreate(&r), 1);
    EXPECT_EQ(m.list, (Strings{"Error:Could not RECORDSET.Open", "Error:RECORDSET.Open"}));
    RecordClose();
}

TEST(Connection, TheFileIsEncryptedAndOpensWithThePassword) {
    TempDir dir;
    const path file = dir.path() / "薬剤ファイル.mdb";
    ASSERT_TRUE(drugbase::createCatalogue(dir.path(), nullptr));
    std::string head(16, '\0');
    std::ifstream(file, std::ios::binary).read(head.data(), 16);
    EXPECT_NE(head, std::string("SQLite format 3\0", 16));
    auto db = sqlkit::openEncrypted(file, "HN%tPQS", nullptr);
    ASSERT_TRUE(db);
    EXPECT_TRUE(db->exec("SELECT YJCODE, SAYOA, OPTION4 FROM Medicine_Information"));
}

TEST(Connection, FileFinderMatchesWildcards) {
    TempDir dir;
    std::ofstream(dir.path() / "Userfile.e") << "x";
    for (const auto& [pattern, found] : {std::pair{"Userfile.e", true},
                                         {"*.e", true},
                                         {"User?ile.*", true},
                                         {"*.mdb", false},
                                         {"Userfile.ee", false},
                                         {"missing/*", false}})
        EXPECT_EQ(filefinder((dir.path() / pattern).string().c_str()) != 0, found) << pattern;
    EXPECT_EQ(filefinder(""), 0);
}
