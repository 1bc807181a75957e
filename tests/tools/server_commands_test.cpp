// server-init, grant-server and copy-to-server: a folder's tables and data on a real server,
// and the other commands working on a folder whose 接続先.conf names it.
#include <fstream>

#include "dataserver/admin.h"
#include "dosagebase.h"
#include "folderkey/file_key.h"
#include "patientbase.h"
#include "server_fixture.h"
#include "sjis/sjis.h"
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

// A stored history text of every byte value but zero, so the copy must keep bytes, not text.
std::string historyBlock(int seed) {
    std::string block(4110, '\0');
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(1 + (i + seed) % 255);
    return block;
}

TEST_F(ServerCommands, InitServerMakesTheTablesTheFilesHaveOnce) {
    EXPECT_EQ(run({"init-server", folder()}), admin::kRefused);
    EXPECT_NE(err.str().find("接続先.conf"), std::string::npos) << err.str();
    pointAtServer();
    // Before the tables exist a data command says so instead of failing a call.
    EXPECT_EQ(run({"list", folder()}), admin::kRefused);
    EXPECT_NE(err.str().find("lacks the tables"), std::string::npos) << err.str();
    ASSERT_EQ(run({"init-server", folder()}), 0) << err.str();

    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server) << error;
    const auto key = *folderkey::fileKeyIn(dir.path() / "データベース", nullptr);
    auto drugs = sqlkit::openEncrypted(dir.path() / "データベース/薬剤ファイル.mdb", key, &error);
    auto patients =
        sqlkit::openEncrypted(dir.path() / "データベース/患者ファイル.mdb", key, &error);
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
    EXPECT_NE(err.str().find("already has the tables (version 4)"), std::string::npos) << err.str();
}

TEST_F(ServerCommands, UpgradeMovesAnOldServerToThisVersionInOneTransaction) {
    ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
    pointAtServer();
    ASSERT_EQ(run({"add-patient", folder(), "12", "共有 一郎"}), 0) << err.str();
    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server) << error;
    // A server set up before the version, the lock, the used IDs, the pharmacy and the audit
    // trail were kept.
    ASSERT_TRUE(
        server->exec("DROP TABLE Server_Schema, Server_Lock, Patient_UsedID, "
                     "Pharmacy_Information, Audit_Log"))
        << server->lastError();
    ASSERT_TRUE(
        server->exec("ALTER TABLE Code_Map DROP COLUMN TANNI, DROP COLUMN PRICE, DROP "
                     "COLUMN GENERIC, DROP COLUMN GENERICGROUP"))
        << server->lastError();
    const dataserver::ServerCheck check = dataserver::checkServer(dir.path() / "データベース");
    EXPECT_EQ(check.state, dataserver::ServerCheck::State::OtherVersion) << check.detail;
    EXPECT_EQ(check.serverVersion, 1);

    // A step that fails half-way leaves the server as it was.
    ASSERT_TRUE(server->exec("CREATE TYPE server_lock AS (x INTEGER)")) << server->lastError();
    EXPECT_EQ(run({"server-upgrade", conninfo}), admin::kRefused);
    EXPECT_NE(err.str().find("nothing changed"), std::string::npos) << err.str();
    EXPECT_FALSE(server->prepare("SELECT 1 FROM Patient_UsedID").step());
    ASSERT_TRUE(server->exec("DROP TYPE server_lock")) << server->lastError();

    ASSERT_EQ(run({"server-upgrade", folder()}), 0) << err.str();
    EXPECT_TRUE(
        printed("from version 1 to 2: added Patient_UsedID, Pharmacy_Information, "
                "Server_Schema, Server_Lock, the database's timeouts"))
        << out.str();
    // The version, the used IDs registered before, the database's timeouts.
    sqlkit::Statement after = server->prepare(
        "SELECT (SELECT VERSION FROM Server_Schema) || ' ' || (SELECT string_agg(ID::text, ',') "
        "FROM Patient_UsedID) || ' ' || (SELECT array_to_string(setconfig, ' ') FROM "
        "pg_db_role_setting s JOIN pg_database d ON d.oid = s.setdatabase WHERE d.datname = "
        "current_database() AND s.setrole = 0)");
    ASSERT_TRUE(after.step()) << after.error();
    EXPECT_EQ(after.text(0), "2 12 lock_timeout=15s idle_in_transaction_session_timeout=30s");

    ASSERT_EQ(run({"server-upgrade", conninfo}), 0) << err.str();
    EXPECT_TRUE(printed("from version 2 to 3: added Audit_Log")) << out.str();
    ASSERT_EQ(run({"server-upgrade", conninfo}), 0) << err.str();
    EXPECT_TRUE(printed("from version 3 to 4: added Code_Map's master facts")) << out.str();
    sqlkit::Statement facts = server->prepare("SELECT GENERICGROUP, PRICE FROM Code_Map");
    facts.step();
    EXPECT_FALSE(facts.failed()) << facts.error();
    ASSERT_EQ(run({"pharmacy", folder(), "code=1234567"}), 0) << err.str();
    ASSERT_EQ(run({"server-upgrade", conninfo}), 0) << err.str();
    EXPECT_TRUE(printed("at version 4, this program's; nothing to upgrade")) << out.str();
    ASSERT_TRUE(server->exec("UPDATE Server_Schema SET VERSION = 5")) << server->lastError();
    EXPECT_EQ(run({"server-upgrade", conninfo}), admin::kRefused);
    EXPECT_NE(err.str().find("newer than this program's 4"), std::string::npos) << err.str();
}

TEST_F(ServerCommands, ACounterRoleWorksWithThePatientsAndTakesTheLockNothingMore) {
    ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
    pointAtServer();
    std::string error;
    auto admin = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(admin) << error;
    ASSERT_TRUE(
        admin->exec("DROP ROLE IF EXISTS clerk; CREATE ROLE clerk LOGIN; "
                    "DROP ROLE IF EXISTS stranger; CREATE ROLE stranger LOGIN"));
    EXPECT_EQ(run({"grant-server", folder(), "clerk; DROP TABLE x"}), admin::kUsage);
    EXPECT_EQ(run({"grant-server", folder(), "clerk", "chief"}), admin::kUsage);
    // An earlier grant's writing of the catalogue goes with the counter's grant.
    ASSERT_TRUE(admin->exec("GRANT INSERT ON Medicine_Information TO clerk"));
    ASSERT_EQ(run({"grant-server", folder(), "clerk"}), 0) << err.str();

    const std::string asClerk = conninfo + " user=clerk";
    std::ofstream(dir.path() / "データベース" / "接続先.conf", std::ios::trunc) << asClerk << "\n";
    ASSERT_EQ(run({"add-patient", folder(), "7", "権限 花子"}), 0) << err.str();
    auto clerk = sqlkit::openServer(asClerk, &error);
    auto stranger = sqlkit::openServer(conninfo + " user=stranger", &error);
    ASSERT_TRUE(clerk && stranger) << error;
    const std::string takeLock(clerk->dialect().beginWrite);
    struct Case {
        const char* name;
        sqlkit::Connection* as;
        std::string sql;
        bool allowed;
    };
    const Case cases[] = {
        {"counter writes a phrase list", clerk.get(), "INSERT INTO Phrase_List VALUES (0, 'x')",
         true},
        {"counter reads the code map", clerk.get(), "SELECT * FROM Code_Map", true},
        {"counter takes the write lock", clerk.get(), takeLock + "; ROLLBACK", true},
        {"counter changes no drug", clerk.get(),
         "UPDATE Medicine_Information SET PRODUCTNAME = 'x'", false},
        {"counter adds no drug", clerk.get(), "INSERT INTO Medicine_Information DEFAULT VALUES",
         false},
        {"counter changes no code", clerk.get(), "INSERT INTO Code_Map (RECEIPTCODE) VALUES ('1')",
         false},
        {"counter changes no version", clerk.get(), "UPDATE Server_Schema SET VERSION = 3", false},
        {"counter reads the audit trail", clerk.get(), "SELECT * FROM Audit_Log", true},
        {"counter adds an audit row", clerk.get(), "INSERT INTO Audit_Log (SEQ) VALUES (99)", true},
        {"counter changes no audit row", clerk.get(), "UPDATE Audit_Log SET DETAIL = 'x'", false},
        {"counter deletes no audit row", clerk.get(), "DELETE FROM Audit_Log", false},
        {"counter empties no audit trail", clerk.get(), "TRUNCATE Audit_Log", false},
        {"counter adds no lock row", clerk.get(), "INSERT INTO Server_Lock VALUES (2)", false},
        {"counter moves no lock row", clerk.get(), "UPDATE Server_Lock SET LOCK_ROW = 2", false},
        {"counter makes no table", clerk.get(), "CREATE TABLE other (x TEXT)", false},
        {"counter drops no table", clerk.get(), "DROP TABLE Patient_Information", false},
        {"counter reads no passwords", clerk.get(), "SELECT * FROM pg_authid", false},
        {"stranger takes no write lock", stranger.get(), takeLock, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.as->exec(c.sql), c.allowed) << c.as->lastError();
        c.as->exec("ROLLBACK");
    }
    // A role that reads every table but may not take the lock is told at start-up.
    ASSERT_TRUE(admin->exec("GRANT SELECT ON ALL TABLES IN SCHEMA public TO stranger"));
    pointAtServer(conninfo + " user=stranger");
    const auto check = dataserver::checkServer(dir.path() / "データベース");
    EXPECT_EQ(check.state, dataserver::ServerCheck::State::NoTables);
    EXPECT_EQ(check.detail, "the role may not take the write lock");
}

TEST_F(ServerCommands, AnOwnerRoleTakesTheRightsOfTheTablesOwner) {
    std::string error;
    auto admin = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(admin) << error;
    ASSERT_TRUE(admin->exec("DROP ROLE IF EXISTS deputy; CREATE ROLE deputy LOGIN"));
    // Tables a superuser made are nobody's to hand on.
    ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
    EXPECT_EQ(run({"grant-server", conninfo, "deputy", "owner"}), admin::kRefused);
    EXPECT_NE(err.str().find("belong to a superuser"), std::string::npos) << err.str();

    // A database of an owner role, its tables made by that role.
    const std::string owned = testServer().freshDatabase();
    const std::string name = owned.substr(owned.rfind("dbname=") + 7);
    ASSERT_TRUE(
        admin->exec("DROP ROLE IF EXISTS chief; CREATE ROLE chief LOGIN; "
                    "ALTER DATABASE " +
                    name + " OWNER TO chief"))
        << admin->lastError();
    ASSERT_EQ(run({"server-init", owned + " user=chief"}), 0) << err.str();
    ASSERT_EQ(run({"grant-server", owned, "deputy", "owner"}), 0) << err.str();
    auto deputy = sqlkit::openServer(owned + " user=deputy", &error);
    ASSERT_TRUE(deputy) << error;
    EXPECT_TRUE(
        deputy->exec("INSERT INTO Medicine_Information DEFAULT VALUES; "
                     "ALTER TABLE Server_Schema ADD COLUMN NOTE TEXT"))
        << deputy->lastError();
    deputy.reset();
    testServer().dropDatabase(owned);
}

TEST_F(ServerCommands, CopyToServerMovesAFolderWholeOnceAndTheCommandsFollowIt) {
    const std::filesystem::path data = dir.path() / "データベース";
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "12", "共有 一郎"}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "3", "移行 花子"}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "40", "削除 済"}), 0) << err.str();
    ASSERT_EQ(LRecordOpen(data.c_str(), nullptr), 0);
    ASSERT_EQ(LRecordDell(40), 0);
    ASSERT_EQ(LRecordRIREKI(12, historyBlock(0).c_str()), 0);
    ASSERT_EQ(LRecordRIREKI(12, historyBlock(7).c_str()), 0);
    LRecordClose();
    std::ofstream(data / "処方医.txt") << "山田 太郎\n---\n";
    ASSERT_EQ(run({"list", folder()}), 0) << err.str();
    const std::string drugs = out.str();
    ASSERT_EQ(run({"patients", folder()}), 0) << err.str();
    const std::string patients = out.str();
    const std::vector<std::string> history = histories(data, 12);
    ASSERT_EQ(history.size(), 2u);

    ASSERT_EQ(run({"copy-to-server", folder(), conninfo}), 0) << err.str();
    EXPECT_EQ(err.str(), "");  // the closing VACUUM ANALYZE ran too
    const std::string drugCount = drugs.substr(drugs.rfind('\n', drugs.size() - 2) + 1);
    EXPECT_TRUE(printed("Medicine_Information: " + drugCount.substr(0, drugCount.find(' '))))
        << out.str();
    EXPECT_TRUE(printed("Patient_Information: 2 rows")) << out.str();
    EXPECT_TRUE(printed("Phrase_List: 1 lists")) << out.str();

    // With the files gone, the folder's commands and libraries read the same from the server.
    pointAtServer();
    for (const char* file : {"薬剤ファイル.mdb", "患者ファイル.mdb", "処方医.txt"})
        std::filesystem::remove(data / file);
    ASSERT_EQ(run({"list", folder()}), 0) << err.str();
    EXPECT_EQ(out.str(), drugs);
    ASSERT_EQ(run({"patients", folder()}), 0) << err.str();
    EXPECT_EQ(out.str(), patients);
    EXPECT_EQ(histories(data, 12), history);
    ASSERT_EQ(LRecordOpen(data.c_str(), nullptr), 0);
    EXPECT_EQ(LRecordCreateID(), 41) << "the deleted patient's ID came along";
    LRecordClose();
    const std::filesystem::path csv = dir.path() / "one.csv";
    std::ofstream(csv) << "YJCODE,PRODUCTNAME\n9999999F9999,サーバー追加錠\n";
    ASSERT_EQ(run({"load-catalogue", folder(), csv.string()}), 0) << err.str();
    ASSERT_EQ(run({"list", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("9999999F9999\t\tサーバー追加錠\n")) << out.str();
    std::vector<char> table(DOSAGEBASE_TABLE_SIZE);
    ASSERT_EQ(DRecordOpen(data.c_str(), nullptr), 0);
    ASSERT_EQ(DRecordREAD(table.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);
    EXPECT_EQ(sjis::toUtf8(table.data()), "山田 太郎");
    EXPECT_EQ(std::string(table.data() + DOSAGEBASE_SLOT_SIZE), "\r\n");

    // A server holding data is never filled again; the first copy stays as it was.
    ASSERT_EQ(run({"init", (dir.path() / "copy").string()}), 0) << err.str();
    EXPECT_EQ(run({"copy-to-server", (dir.path() / "copy").string(), conninfo}), admin::kRefused);
    EXPECT_NE(err.str().find("already holds data"), std::string::npos) << err.str();
    ASSERT_EQ(run({"patients", folder()}), 0) << err.str();
    EXPECT_EQ(out.str(), patients);
}

TEST_F(ServerCommands, CopyToServerLeavesNothingBehindWhenItFails) {
    ASSERT_EQ(run({"add-patient", folder(), "5", "途中 失敗"}), 0) << err.str();
    // A list file that cannot be read stops the copy after the tables were filled.
    std::filesystem::create_directories(dir.path() / "データベース/用法.txt");
    EXPECT_EQ(run({"copy-to-server", folder(), conninfo}), admin::kRefused);
    EXPECT_NE(err.str().find("cannot copy the phrase lists"), std::string::npos) << err.str();
    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server) << error;
    sqlkit::Statement tables = server->prepare(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = 'public'");
    ASSERT_TRUE(tables.step()) << tables.error();
    EXPECT_EQ(tables.integer(0), 0);
}

TEST_F(AdminTest, AServerElsewhereWhoseCertificateIsNotVerifiedIsWarnedAbout) {
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    // Nothing listens at port 1: the warning comes first, then the unreachable server.
    std::ofstream(dir.path() / "データベース" / "接続先.conf")
        << "host=db.invalid hostaddr=127.0.0.1 port=1 sslmode=require\n";
    EXPECT_EQ(run({"list", folder()}), admin::kRefused);
    EXPECT_TRUE(
        err.str().starts_with("warning: the data server host db.invalid address "
                              "127.0.0.1 port 1 is reached with sslmode=require"))
        << err.str();
}

}  // namespace
