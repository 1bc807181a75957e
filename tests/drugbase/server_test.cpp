// The catalogue calls on a data server give what they give on a file: the same calls run on a
// fresh file and on a fresh server database, and their results are compared.
#include <fstream>

#include "catalogue_fixture.h"
#include "dbcall/session.h"
#include "pg_server.h"

namespace {

DrugRecord userDrug(const char* yj, const char* name, const char* code, const char* general) {
    DrugRecord r{};
    SET(r, YJCODE, yj);
    SET(r, PRODUCTNAME, name);
    SET(r, CODE, code);
    SET(r, GENERALNAME, general);
    SET(r, SAYOA, "眠くなることがあります。");
    r.SAYO_HYOUJI = 1;
    return r;
}

// Lines recording what a series of calls returned and listed.
Strings runCalls() {
    Strings out;
    const auto note = [&](const std::string& what, int result) {
        out.push_back(what + "=" + std::to_string(result));
    };
    const DrugRecord drugs[] = {userDrug("2149039F1030", "ノルバスク錠5mg", "N1", "アムロジピン"),
                                userDrug("1124017F1020", "アムロジン錠5mg", "abc", "アムロジピン"),
                                userDrug("3399007H1021", "バイアスピリン錠", "漢字", "アスピリン"),
                                userDrug("X'quote", "ab'c 錠", "9", ""),
                                userDrug("Y100", "ab 空コード錠", "", "")};
    for (const DrugRecord& d : drugs) note("create", RecordCreate(&d));
    note("unique-yj", RecordCreate00("2149039F1030"));
    note("unique-yj-missing", RecordCreate00("0000000000"));
    note("unique-code", RecordCreate44("abc", "1124017F1020", 0));
    for (int order : {0, 1}) {
        ViewCollector view;
        ListCollector yj;
        int rows = 0;
        note("display", RecordDisplay(&view.sink, nullptr, nullptr, &yj.sink, &rows, order));
        for (const auto& row : view.rows) out.push_back(row.code + "|" + row.name);
        out.insert(out.end(), yj.items.begin(), yj.items.end());
    }
    DrugRecord back{};
    note("detail", RecordDetail(&back, "X'quote"));
    out.push_back(text(back.PRODUCTNAME) + "|" + text(back.SAYOA) + "|" + text(back.TANNI) + "|" +
                  std::to_string(back.SAYO_HYOUJI));
    note("detail-missing", RecordDetail(&back, "none"));
    ListCollector names, codes;
    const std::string tablet = sjis::fromUtf8("錠"), amlo = sjis::fromUtf8("アムロ");
    note("search", RecordGOKU(tablet.c_str(), amlo.c_str(), "", "", "", "", "", "", &names.sink,
                              &codes.sink));
    out.insert(out.end(), codes.items.begin(), codes.items.end());
    DrugRecord edited = drugs[0];
    SET(edited, PRODUCTNAME, "ノルバスクOD錠5mg");
    note("edit", RecordEdit(&edited, "2149039F1030", 0));
    note("delete", RecordDell("1124017F1020"));
    ListCollector same, sameCodes;
    note("same-kind", RecordDohinsyu("2149039F1030", &same.sink, &sameCodes.sink));
    out.insert(out.end(), same.items.begin(), same.items.end());
    return out;
}

class CatalogueOnServer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
        conninfo = testServer().freshDatabase();
        std::string error;
        auto server = sqlkit::openServer(conninfo, &error);
        ASSERT_TRUE(server) << error;
        ASSERT_TRUE(drugbase::createCatalogueTables(*server, &error)) << error;
        std::ofstream(serverDir.path() / dbcall::kServerFileName) << "# the shared server\n"
                                                                  << conninfo << "\n";
        ASSERT_TRUE(drugbase::createCatalogue(fileDir.path(), &error)) << error;
    }
    void TearDown() override { RecordClose(); }

    TempDir fileDir, serverDir;
    std::string conninfo;
    MessageLog log;
};

TEST_F(CatalogueOnServer, TheCallsGiveWhatTheyGiveOnAFile) {
    ASSERT_EQ(RecordOpen(fileDir.path().string().c_str(), nullptr), 0);
    const Strings onFile = runCalls();
    ASSERT_EQ(RecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    const Strings onServer = runCalls();
    EXPECT_EQ(onServer, onFile);
    EXPECT_TRUE(log.list.empty()) << log.list.front();
    // The drugs went to the server, not to a file beside the server file.
    EXPECT_FALSE(std::filesystem::exists(serverDir.path() / "薬剤ファイル.mdb"));
}

TEST_F(CatalogueOnServer, ALostServerFailsOneCallAndTheNextReconnects) {
    ASSERT_EQ(RecordOpen(serverDir.path().string().c_str(), nullptr), 0);
    const DrugRecord d = userDrug("2149039F1030", "ノルバスク錠5mg", "N1", "アムロジピン");
    ASSERT_EQ(RecordCreate(&d), 0);
    ASSERT_TRUE(testServer().stop());
    DrugRecord back{};
    EXPECT_EQ(RecordDetail(&back, "2149039F1030"), DRUGBASE_DB_FAILURE);
    EXPECT_EQ(log.list, Strings{"Error:DATABASE.Open"});
    ASSERT_TRUE(testServer().start());
    EXPECT_EQ(RecordDetail(&back, "2149039F1030"), 0);
    EXPECT_EQ(text(back.PRODUCTNAME), "ノルバスク錠5mg");
}

TEST_F(CatalogueOnServer, AServerFileWithAPasswordIsRefused) {
    std::ofstream(serverDir.path() / dbcall::kServerFileName, std::ios::trunc)
        << conninfo << " password=secret\n";
    EXPECT_EQ(RecordOpen(serverDir.path().string().c_str(), nullptr), DRUGBASE_CONDITION);
    DrugRecord back{};
    EXPECT_EQ(RecordDetail(&back, "x"), DRUGBASE_DB_FAILURE);
}

}  // namespace
