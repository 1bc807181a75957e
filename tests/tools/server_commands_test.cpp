// init-server: the tables of a folder's files, made on the server its 接続先.conf names.
#include <fstream>

#include "admin_fixture.h"
#include "pg_server.h"
#include "sqlkit/sqlkit.h"

namespace {

// "NAME:type" of every column of a table in its order, and the names of its indexes, in upper
// case (the server keeps unquoted names in lower case).
std::string shape(sqlkit::Connection& db, const std::string& table, bool onServer) {
    const std::string columns =
        onServer ? "SELECT upper(column_name) || ':' || data_type FROM information_schema.columns "
                   "WHERE table_name = lower(?) AND column_name <> 'row_key' "
                   "ORDER BY ordinal_position"
                 : "PRAGMA table_info(" + table + ")";
    const std::string indexes =
        onServer ? "SELECT upper(indexname) FROM pg_indexes WHERE tablename = lower(?) AND "
                   "indexname NOT LIKE '%_pkey' ORDER BY 1"
                 : "SELECT upper(name) FROM sqlite_master WHERE type = 'index' AND tbl_name = ? "
                   "ORDER BY 1";
    std::string out;
    for (const std::string& sql : {columns, indexes}) {
        sqlkit::Statement s = db.prepare(sql);
        EXPECT_TRUE(s.ok()) << s.error();
        s.bindText(1, table);
        const bool tableInfo = !onServer && sql == columns;  // cid, name, type, ...
        while (s.step())
            out += tableInfo ? std::string(s.text(1)) + ":" + std::string(s.text(2)) + " "
                             : std::string(s.text(0)) + " ";
        EXPECT_FALSE(s.failed()) << s.error();
    }
    return out;
}

class ServerCommands : public AdminTest {
  protected:
    void SetUp() override {
        if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
        conninfo = testServer().freshDatabase();
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    }
    void pointAtServer() {
        std::ofstream(dir.path() / "データベース" / "接続先.conf") << conninfo << "\n";
    }
    std::string conninfo;
};

TEST_F(ServerCommands, InitServerMakesTheTablesTheFilesHaveOnce) {
    EXPECT_EQ(run({"init-server", folder()}), admin::kRefused);
    EXPECT_NE(err.str().find("接続先.conf"), std::string::npos) << err.str();
    pointAtServer();
    ASSERT_EQ(run({"init-server", folder()}), 0) << err.str();

    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server) << error;
    auto drugs =
        sqlkit::openEncrypted(dir.path() / "データベース/薬剤ファイル.mdb", "HN%tPQS", &error);
    auto patients =
        sqlkit::openEncrypted(dir.path() / "データベース/患者ファイル.mdb", "HN%tPQS", &error);
    ASSERT_TRUE(drugs && patients) << error;
    // The server's types are the engine's own words for the same kinds.
    const auto asFile = [](std::string s) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{":bigint", ":INTEGER"},
                                       {":text", ":TEXT"},
                                       {":bytea", ":BLOB"}})
            for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at))
                s.replace(at, from.size(), to);
        return s;
    };
    const std::string serverDrugs = shape(*server, "Medicine_Information", true);
    EXPECT_EQ(asFile(serverDrugs), shape(*drugs, "Medicine_Information", false));
    EXPECT_NE(serverDrugs.find("MEDICINE_YJCODE"), std::string::npos);
    EXPECT_EQ(asFile(shape(*server, "Patient_Information", true)),
              shape(*patients, "Patient_Information", false));

    // A second run changes nothing and says why.
    EXPECT_EQ(run({"init-server", folder()}), admin::kRefused);
    EXPECT_NE(err.str().find("already exists"), std::string::npos) << err.str();

    // The folder's libraries now work on the server.
    ASSERT_EQ(run({"add-patient", folder(), "12", "共有 一郎"}), 0) << err.str();
    sqlkit::Statement s = server->prepare("SELECT PATIENT FROM Patient_Information WHERE ID = 12");
    ASSERT_TRUE(s.step()) << s.error();
    EXPECT_EQ(s.text(0), "共有 一郎");
}

TEST_F(ServerCommands, AGrantedRoleWorksWithTheRowsAndNothingElse) {
    pointAtServer();
    ASSERT_EQ(run({"init-server", folder()}), 0) << err.str();
    std::string error;
    auto admin = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(admin) << error;
    ASSERT_TRUE(admin->exec("DROP ROLE IF EXISTS clerk; CREATE ROLE clerk LOGIN"));
    EXPECT_EQ(run({"grant-server", folder(), "clerk; DROP TABLE x"}), admin::kUsage);
    ASSERT_EQ(run({"grant-server", folder(), "clerk"}), 0) << err.str();

    const std::string asClerk = conninfo + " user=clerk";
    std::ofstream(dir.path() / "データベース" / "接続先.conf", std::ios::trunc) << asClerk << "\n";
    ASSERT_EQ(run({"add-patient", folder(), "7", "権限 花子"}), 0) << err.str();
    auto clerk = sqlkit::openServer(asClerk, &error);
    ASSERT_TRUE(clerk) << error;
    EXPECT_FALSE(clerk->exec("CREATE TABLE other (x TEXT)"));
    EXPECT_NE(clerk->lastError().find("permission denied"), std::string::npos)
        << clerk->lastError();
    EXPECT_FALSE(clerk->exec("DROP TABLE Patient_Information"));
    EXPECT_FALSE(clerk->exec("SELECT * FROM pg_authid"));
}

}  // namespace
