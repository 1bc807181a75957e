// server-backup, server-restore and terminal on a real server: a backup restored into a fresh
// database holds the same rows and leaflets, and a terminal's folder is made in one go.
#include <cstdlib>
#include <fstream>

#include "server_fixture.h"
#include "sqlkit/sqlkit.h"

namespace {

namespace fs = std::filesystem;

TEST_F(ServerCommands, ARestoredBackupHoldsEveryRowAndLeafletOfItsSnapshot) {
    const fs::path data = dir.path() / "データベース", backup = dir.path() / "nightly.dump";
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "12", "控え 一郎"}), 0) << err.str();
    ASSERT_EQ(LRecordOpen(data.c_str(), nullptr), 0);
    ASSERT_EQ(LRecordRIREKI(12, std::string(4110, '\x81').c_str()), 0);
    LRecordClose();
    const std::vector<std::string> leaflets = histories(data, 12);
    ASSERT_EQ(run({"copy-to-server", folder(), conninfo}), 0) << err.str();

    ASSERT_EQ(run({"server-backup", conninfo, backup.string()}), 0) << err.str();
    EXPECT_TRUE(printed("patient_information 1\n")) << out.str();
    EXPECT_FALSE(fs::exists(dir.path() / ".nightly.dump.partial"));

    // Only into an empty database: the backed-up one is left as it was.
    EXPECT_EQ(run({"server-restore", conninfo, backup.string()}), admin::kRefused);
    EXPECT_NE(err.str().find("not empty"), std::string::npos) << err.str();
    pointAtServer();
    ASSERT_EQ(run({"patients", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("1 patients")) << out.str();

    const std::string fresh = testServer().freshDatabase();
    ASSERT_EQ(run({"server-restore", fresh, backup.string()}), 0) << err.str();
    EXPECT_TRUE(printed("medicine_information 41\n")) << out.str();
    pointAtServer(fresh);
    EXPECT_EQ(histories(data, 12), leaflets);

    // Rows that differ from the recorded counts fail the restore.
    std::ofstream(backup.string() + ".counts", std::ios::app) << "patient_information 2\n";
    const std::string other = testServer().freshDatabase();
    EXPECT_EQ(run({"server-restore", other, backup.string()}), admin::kRefused);
    EXPECT_NE(err.str().find("patient_information: 2 rows in the backup, 1 restored"),
              std::string::npos)
        << err.str();
    testServer().dropDatabase(fresh);
    testServer().dropDatabase(other);
}

TEST_F(ServerCommands, AFailedOrUnfitPgDumpLeavesNoBackup) {
    ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
    const fs::path bin = dir.path() / "bin", backup = dir.path() / "nightly.dump";
    fs::create_directories(bin);
    setenv("LEAFLET_PG_BINDIR", bin.c_str(), 1);
    struct Case {
        const char* name;
        const char* script;  // the pg_dump there; nullptr for none
        const char* said;
    };
    const Case cases[] = {
        {"no pg_dump", nullptr, "pg_dump cannot be started"},
        {"older than the server", "echo 'pg_dump (PostgreSQL) 14.9'",
         "of PostgreSQL 14, the server of 15"},
        {"fails half-way",
         "case $1 in --version) echo 'pg_dump (PostgreSQL) 15.0';;\n"
         "*) for a; do case $a in --file=*) echo half > \"${a#--file=}\";; esac; done\n"
         "   echo 'pg_dump: error: connection lost'; exit 1;; esac",
         "pg_dump failed:\npg_dump: error: connection lost"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(bin / "pg_dump");
        if (c.script) {
            std::ofstream(bin / "pg_dump") << "#!/bin/sh\n" << c.script << "\n";
            fs::permissions(bin / "pg_dump", fs::perms::owner_all);
        }
        EXPECT_EQ(run({"server-backup", conninfo, backup.string()}), admin::kRefused);
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
        // Nothing beside the program folder's own: no backup, no counts, no partial file.
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_TRUE(fs::is_directory(entry.path())) << entry.path();
    }
    unsetenv("LEAFLET_PG_BINDIR");
}

TEST_F(ServerCommands, TerminalMakesAFolderForTheServerAndSaysWhatItFound) {
    ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
    const fs::path terminal = dir.path() / "counter";
    EXPECT_EQ(run({"terminal", terminal.string(), conninfo + " password=geheim"}), admin::kUsage);
    EXPECT_FALSE(fs::exists(terminal));

    std::ofstream(dir.path() / "操作方法.html") << "<p>help</p>";
    std::ofstream(dir.path() / "薬剤写真" / "PHOTO1" / "2171901F2S93.jpg") << "jpeg";
    ASSERT_EQ(run({"terminal", terminal.string(), conninfo, folder()}), 0) << err.str();
    EXPECT_TRUE(printed("this terminal is ready")) << out.str();
    EXPECT_TRUE(fs::exists(terminal / "薬剤写真" / "PHOTO1" / "2171901F2S93.jpg"));
    EXPECT_TRUE(fs::exists(terminal / "操作方法.html"));
    std::ifstream conf(terminal / "データベース" / "接続先.conf");
    std::string line;
    EXPECT_TRUE(std::getline(conf, line) && line == conninfo) << line;
    std::ifstream settings(terminal / "コンフィグ" / "Userfile.e", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(settings)), {});
    ASSERT_GE(bytes.size(), 2016u);
    EXPECT_EQ(bytes[2012], 1) << "the save-history flag";

    // A server of another version: the folder is made, the terminal told what to do.
    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server && server->exec("UPDATE Server_Schema SET VERSION = 1")) << error;
    const fs::path second = dir.path() / "second";
    EXPECT_EQ(run({"terminal", second.string(), conninfo}), admin::kPartial);
    EXPECT_NE(err.str().find("has tables of another version"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::exists(second / "操作方法.html"));
}

}  // namespace
