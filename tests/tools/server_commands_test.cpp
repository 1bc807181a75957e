// server-init, grant-server and copy-to-server: a folder's tables and data on a real server,
// and the other commands working on a folder whose 接続先.conf names it.
#include "admin_fixture.h"
#include "dataserver/admin.h"
#include "dosagebase.h"
#include "folderkey/file_key.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"

namespace {

// "NAME:TYPE" of every column of a table in its order, then its indexes, in upper case (the
// server keeps unquoted names in lower case); the server's types in the files' words.
std::string shape(sqlkit::Connection& db, const std::string& table, bool onServer) {
    const std::string columns =
        onServer ? "SELECT upper(column_name) || ':' || CASE data_type WHEN 'bigint' THEN "
                   "'INTEGER' WHEN 'text' THEN 'TEXT' WHEN 'bytea' THEN 'BLOB' ELSE data_type "
                   "END FROM information_schema.columns WHERE table_name = lower(?) AND "
                   "column_name <> 'row_key' ORDER BY ordinal_position"
                 : "PRAGMA table_info(" + table + ")";
    const std::string indexes =
        onServer ? "SELECT upper(indexname) FROM pg_indexes WHERE tablename = lower(?) AND "
                   "indexname NOT LIKE '%_pkey' ORDER BY 1"
                 : "SELECT upper(name) FROM sqlite_master WHERE type = 'index' AND tbl_name = ? "
                   "ORDER BY 1";
    std::string out;
    for (const std::string& sql : {columns, indexes}) {
        sqlkit::Statement s = db.prepare(sql);
        s.bindText(1, table);
        const bool tableInfo = !onServer && sql == columns;  // cid, name, type, ...
        while (s.step())
            out += std::string(s.text(tableInfo ? 1 : 0)) +
                   (tableInfo ? ":" + std::string(s.text(2)) : "") + " ";
        EXPECT_FALSE(s.failed()) << s.error();
    }
    return out;
}

sqlkit::ConnectionPtr openServer(const std::string& conninfo) {
    std::string error;
    auto db = sqlkit::openServer(conninfo, &error);
    EXPECT_TRUE(db) << error;
    return db;
}

// A stored history text of every byte value but zero, so the copy must keep bytes, not text.
std::string historyBlock(int seed) {
    std::string block(4110, '\0');
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(1 + (i + seed) % 255);
    return block;
}

TEST_F(ServerCommands, InitServerMakesTheTablesTheFilesHaveOnce) {
    fails({"init-server", folder()}, admin::kRefused, "接続先.conf");
    pointAtServer();
    // Before the tables exist a data command says so instead of failing a call.
    fails({"list", folder()}, admin::kRefused, "lacks the tables");
    ok({"init-server", folder()});

    auto server = openServer(conninfo);
    const auto key = *folderkey::fileKeyIn(data(), nullptr);
    for (const auto& [file, table] : {std::pair{"薬剤ファイル.mdb", "Medicine_Information"},
                                      {"患者ファイル.mdb", "Patient_Information"}}) {
        auto local = sqlkit::openEncrypted(data() / file, key, nullptr);
        ASSERT_TRUE(server && local);
        EXPECT_EQ(shape(*server, table, true), shape(*local, table, false));
    }
    EXPECT_NE(shape(*server, "Medicine_Information", true).find("MEDICINE_YJCODE"),
              std::string::npos);
    // A second run changes nothing and says why.
    fails({"init-server", folder()}, admin::kRefused, "already has the tables (version 4)");
}

TEST_F(ServerCommands, UpgradeMovesAnOldServerToThisVersionInOneTransaction) {
    ok({"server-init", conninfo});
    pointAtServer();
    ok({"add-patient", folder(), "12", "共有 一郎"});
    auto server = openServer(conninfo);
    ASSERT_TRUE(server);
    // A server set up before the version, the lock, the used IDs, the pharmacy, the audit trail
    // and the master's facts were kept.
    ASSERT_TRUE(
        server->exec("DROP TABLE Server_Schema, Server_Lock, Patient_UsedID, Pharmacy_Information, "
                     "Audit_Log; ALTER TABLE Code_Map DROP COLUMN TANNI, DROP COLUMN PRICE, DROP "
                     "COLUMN GENERIC, DROP COLUMN GENERICGROUP"))
        << server->lastError();
    const dataserver::ServerCheck check = dataserver::checkServer(data());
    EXPECT_EQ(check.state, dataserver::ServerCheck::State::OtherVersion) << check.detail;
    EXPECT_EQ(check.serverVersion, 1);

    // A step that fails half-way leaves the server as it was.
    ASSERT_TRUE(server->exec("CREATE TYPE server_lock AS (x INTEGER)")) << server->lastError();
    fails({"server-upgrade", conninfo}, admin::kRefused, "nothing changed");
    EXPECT_FALSE(server->prepare("SELECT 1 FROM Patient_UsedID").step());
    ASSERT_TRUE(server->exec("DROP TYPE server_lock")) << server->lastError();

    ok({"server-upgrade", folder()});
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
    for (const char* said : {"from version 2 to 3: added Audit_Log",
                             "from version 3 to 4: added Code_Map's master facts",
                             "at version 4, this program's; nothing to upgrade"}) {
        ok({"server-upgrade", conninfo});
        EXPECT_TRUE(printed(said)) << out.str();
    }
    EXPECT_TRUE(server->exec("SELECT GENERICGROUP, PRICE FROM Code_Map")) << server->lastError();
    ok({"pharmacy", folder(), "code=1234567"});
    ASSERT_TRUE(server->exec("UPDATE Server_Schema SET VERSION = 5")) << server->lastError();
    fails({"server-upgrade", conninfo}, admin::kRefused, "newer than this program's 4");
}

TEST_F(ServerCommands, ACounterRoleWorksWithThePatientsAndTakesTheLockNothingMore) {
    ok({"server-init", conninfo});
    pointAtServer();
    auto admin = openServer(conninfo);
    ASSERT_TRUE(admin && admin->exec("DROP ROLE IF EXISTS clerk; CREATE ROLE clerk LOGIN; "
                                     "DROP ROLE IF EXISTS stranger; CREATE ROLE stranger LOGIN"));
    EXPECT_EQ(run({"grant-server", folder(), "clerk; DROP TABLE x"}), admin::kUsage);
    EXPECT_EQ(run({"grant-server", folder(), "clerk", "chief"}), admin::kUsage);
    // An earlier grant's writing of the catalogue goes with the counter's grant.
    ASSERT_TRUE(admin->exec("GRANT INSERT ON Medicine_Information TO clerk"));
    ok({"grant-server", folder(), "clerk"});

    pointAtServer(conninfo + " user=clerk");
    ok({"add-patient", folder(), "7", "権限 花子"});
    auto clerk = openServer(conninfo + " user=clerk");
    auto stranger = openServer(conninfo + " user=stranger");
    ASSERT_TRUE(clerk && stranger);
    const std::string takeLock(clerk->dialect().beginWrite);
    // What the counter may do; the stranger may not even take the lock.
    const std::pair<std::string, bool> cases[] = {
        {"INSERT INTO Phrase_List VALUES (0, 'x')", true},
        {"SELECT * FROM Code_Map", true},
        {takeLock + "; ROLLBACK", true},
        {"UPDATE Medicine_Information SET PRODUCTNAME = 'x'", false},
        {"INSERT INTO Medicine_Information DEFAULT VALUES", false},
        {"INSERT INTO Code_Map (RECEIPTCODE) VALUES ('1')", false},
        {"UPDATE Server_Schema SET VERSION = 3", false},
        {"SELECT * FROM Audit_Log", true},
        {"INSERT INTO Audit_Log (SEQ) VALUES (99)", true},
        {"UPDATE Audit_Log SET DETAIL = 'x'", false},
        {"DELETE FROM Audit_Log", false},
        {"TRUNCATE Audit_Log", false},
        {"INSERT INTO Server_Lock VALUES (2)", false},
        {"UPDATE Server_Lock SET LOCK_ROW = 2", false},
        {"CREATE TABLE other (x TEXT)", false},
        {"DROP TABLE Patient_Information", false},
        {"SELECT * FROM pg_authid", false},
    };
    for (const auto& [sql, allowed] : cases) {
        EXPECT_EQ(clerk->exec(sql), allowed) << sql << ": " << clerk->lastError();
        clerk->exec("ROLLBACK");
    }
    EXPECT_FALSE(stranger->exec(takeLock));
    // A role that reads every table but may not take the lock is told at start-up.
    ASSERT_TRUE(admin->exec("GRANT SELECT ON ALL TABLES IN SCHEMA public TO stranger"));
    pointAtServer(conninfo + " user=stranger");
    const auto check = dataserver::checkServer(data());
    EXPECT_EQ(check.state, dataserver::ServerCheck::State::NoTables);
    EXPECT_EQ(check.detail, "the role may not take the write lock");
}

TEST_F(ServerCommands, AnOwnerRoleTakesTheRightsOfTheTablesOwner) {
    auto admin = openServer(conninfo);
    ASSERT_TRUE(admin && admin->exec("DROP ROLE IF EXISTS deputy; CREATE ROLE deputy LOGIN"));
    // Tables a superuser made are nobody's to hand on.
    ok({"server-init", conninfo});
    fails({"grant-server", conninfo, "deputy", "owner"}, admin::kRefused, "belong to a superuser");

    // A database of an owner role, its tables made by that role.
    const std::string owned = testServer().freshDatabase();
    ASSERT_TRUE(admin->exec("DROP ROLE IF EXISTS chief; CREATE ROLE chief LOGIN; ALTER DATABASE " +
                            owned.substr(owned.rfind("dbname=") + 7) + " OWNER TO chief"))
        << admin->lastError();
    ok({"server-init", owned + " user=chief"});
    ok({"grant-server", owned, "deputy", "owner"});
    auto deputy = openServer(owned + " user=deputy");
    EXPECT_TRUE(deputy && deputy->exec("INSERT INTO Medicine_Information DEFAULT VALUES; "
                                       "ALTER TABLE Server_Schema ADD COLUMN NOTE TEXT"))
        << deputy->lastError();
    deputy.reset();
    testServer().dropDatabase(owned);
}

TEST_F(ServerCommands, CopyToServerMovesAFolderWholeOnceAndTheCommandsFollowIt) {
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    for (const char* id : {"12", "3", "40"}) ok({"add-patient", folder(), id, "移行 花子"});
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    ASSERT_EQ(LRecordDell(40), 0);
    ASSERT_EQ(LRecordRIREKI(12, historyBlock(0).c_str()), 0);
    ASSERT_EQ(LRecordRIREKI(12, historyBlock(7).c_str()), 0);
    LRecordClose();
    std::ofstream(data() / "処方医.txt") << "山田 太郎\n---\n";
    ok({"list", folder()});
    const std::string drugs = out.str();
    ok({"patients", folder()});
    const std::string patients = out.str();
    const std::vector<std::string> history = histories(data(), 12);
    ASSERT_EQ(history.size(), 2u);

    ok({"copy-to-server", folder(), conninfo});
    EXPECT_EQ(err.str(), "");  // the closing VACUUM ANALYZE ran too
    for (const char* count :
         {"Medicine_Information: 41 rows", "Patient_Information: 2 rows", "Phrase_List: 1 lists"})
        EXPECT_TRUE(printed(count)) << out.str();

    // With the files gone, the folder's commands and libraries read the same from the server.
    pointAtServer();
    for (const char* file : {"薬剤ファイル.mdb", "患者ファイル.mdb", "処方医.txt"})
        std::filesystem::remove(data() / file);
    ok({"list", folder()});
    EXPECT_EQ(out.str(), drugs);
    ok({"patients", folder()});
    EXPECT_EQ(out.str(), patients);
    EXPECT_EQ(histories(data(), 12), history);
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    EXPECT_EQ(LRecordCreateID(), 41) << "the deleted patient's ID came along";
    LRecordClose();
    ok({"load-catalogue", folder(),
        write("one.csv", "YJCODE,PRODUCTNAME\n9999999F9999,サーバー追加錠\n")});
    ok({"list", folder()});
    EXPECT_TRUE(printed("9999999F9999\t\tサーバー追加錠\n")) << out.str();
    std::vector<char> table(DOSAGEBASE_TABLE_SIZE);
    ASSERT_EQ(DRecordOpen(data().c_str(), nullptr), 0);
    ASSERT_EQ(DRecordREAD(table.data(), DOSAGEBASE_LIST_PRESCRIBER), 0);
    EXPECT_EQ(sjis::toUtf8(table.data()), "山田 太郎");
    EXPECT_EQ(std::string(table.data() + DOSAGEBASE_SLOT_SIZE), "\r\n");

    // A server holding data is never filled again; the first copy stays as it was.
    ok({"init", (dir.path() / "copy").string()});
    fails({"copy-to-server", (dir.path() / "copy").string(), conninfo}, admin::kRefused,
          "already holds data");
    ok({"patients", folder()});
    EXPECT_EQ(out.str(), patients);
}

TEST_F(ServerCommands, CopyToServerLeavesNothingBehindWhenItFails) {
    ok({"add-patient", folder(), "5", "途中 失敗"});
    // A list file that cannot be read stops the copy after the tables were filled.
    std::filesystem::create_directories(data() / "用法.txt");
    fails({"copy-to-server", folder(), conninfo}, admin::kRefused, "cannot copy the phrase lists");
    auto server = openServer(conninfo);
    sqlkit::Statement tables = server->prepare(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = 'public'");
    ASSERT_TRUE(tables.step()) << tables.error();
    EXPECT_EQ(tables.integer(0), 0);
}

TEST_F(AdminTest, AServerElsewhereWhoseCertificateIsNotVerifiedIsWarnedAbout) {
    ok({"init", folder()});
    // Nothing listens at port 1: the warning comes first, then the unreachable server.
    std::ofstream(data() / "接続先.conf")
        << "host=db.invalid hostaddr=127.0.0.1 port=1 sslmode=require\n";
    EXPECT_EQ(run({"list", folder()}), admin::kRefused);
    EXPECT_TRUE(
        err.str().starts_with("warning: the data server host db.invalid address "
                              "127.0.0.1 port 1 is reached with sslmode=require"))
        << err.str();
}

}  // namespace
