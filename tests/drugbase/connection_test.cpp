// What the catalogue's calls answer when its file is missing or lacks the table; how a file
// that cannot be opened fails is the data-call layer's (tests/dbcall).
#include <fstream>

#include "catalogue_fixture.h"

TEST(Connection, WithoutTheFileEveryCallFailsAtTheDatabaseOpen) {
    TempDir dir;
    MessageLog m;
    ASSERT_EQ(RecordOpen(dir.path().string().c_str(), nullptr), 0);
    DrugRecord r{};
    SET(r, PRODUCTNAME, "薬");
    int counter = 7;
    EXPECT_EQ(RecordDetail(&r, "X"), 99);
    EXPECT_EQ(RecordDisplay(nullptr, nullptr, nullptr, nullptr, &counter, 0), 99);
    EXPECT_EQ(RecordCreate(&r), 1);
    EXPECT_EQ(RecordDell("A"), 99);
    EXPECT_EQ(Record00() + Record01() + Recordcode(), 3 * 99);
    EXPECT_EQ(counter, 7);
    Strings expected(7, "Error:DATABASE.Open");
    expected.insert(expected.begin(), "薬剤ファイルがありません。");
    EXPECT_EQ(m.list, expected);
    RecordClose();
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

class CatalogueOnServer : public CatalogueTest {
  protected:
    Engine engine() const override { return Engine::Server; }
};

TEST_F(CatalogueOnServer, AServerFileWithAPasswordIsRefusedAtTheOpen) {
    const auto serverFile = data.path() / dbcall::kServerFileName;
    std::string conninfo;
    std::getline(std::ifstream(serverFile), conninfo);
    std::ofstream(serverFile, std::ios::trunc) << conninfo << " password=secret\n";
    EXPECT_EQ(RecordOpen(folder().c_str(), nullptr), DRUGBASE_CONDITION);
}
