// server-backup, server-restore and terminal on a real server: a backup restored into a fresh
// database holds the same rows and leaflets, and a terminal's folder is made in one go.
#include "admin_fixture.h"
#include "scoped_env.h"
#include "sqlkit/sqlkit.h"

namespace {

namespace fs = std::filesystem;

TEST_F(ServerCommands, ARestoredBackupHoldsEveryRowAndLeafletOfItsSnapshot) {
    const std::string backup = (dir.path() / "nightly.dump").string();
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    ok({"add-patient", folder(), "12", "控え 一郎"});
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    ASSERT_EQ(LRecordRIREKI(12, std::string(4110, '\x81').c_str()), 0);
    LRecordClose();
    const std::vector<std::string> leaflets = histories(data(), 12);
    ok({"copy-to-server", folder(), conninfo});

    ok({"server-backup", conninfo, backup});
    EXPECT_TRUE(printed("patient_information 1\n")) << out.str();
    EXPECT_FALSE(fs::exists(dir.path() / ".nightly.dump.partial"));
    // Only into an empty database: the backed-up one is left as it was.
    fails({"server-restore", conninfo, backup}, admin::kRefused, "not empty");
    pointAtServer();
    ok({"patients", folder()});
    EXPECT_TRUE(printed("1 patients")) << out.str();

    const std::string fresh = testServer().freshDatabase(), other = testServer().freshDatabase();
    ok({"server-restore", fresh, backup});
    EXPECT_TRUE(printed("medicine_information 41\n")) << out.str();
    pointAtServer(fresh);
    EXPECT_EQ(histories(data(), 12), leaflets);
    // Rows that differ from the recorded counts fail the restore.
    std::ofstream(backup + ".counts", std::ios::app) << "patient_information 2\n";
    fails({"server-restore", other, backup}, admin::kRefused,
          "patient_information: 2 rows in the backup, 1 restored");
    testServer().dropDatabase(fresh);
    testServer().dropDatabase(other);
}

TEST_F(ServerCommands, AFailedOrUnfitPgDumpLeavesNoBackup) {
    ok({"server-init", conninfo});
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    ScopedEnv pgBin("LEAFLET_PG_BINDIR", bin.c_str());
    // The pg_dump there (none for nullptr), and what the command says.
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "pg_dump cannot be started"},
        {"echo 'pg_dump (PostgreSQL) 14.9'", "of PostgreSQL 14, the server of 15"},
        {"case $1 in --version) echo 'pg_dump (PostgreSQL) 15.0';;\n"
         "*) for a; do case $a in --file=*) echo half > \"${a#--file=}\";; esac; done\n"
         "   echo 'pg_dump: error: connection lost'; exit 1;; esac",
         "pg_dump failed:\npg_dump: error: connection lost"},
    };
    for (const auto& [script, said] : cases) {
        fs::remove(bin / "pg_dump");
        if (script) {
            std::ofstream(bin / "pg_dump") << "#!/bin/sh\n" << script << "\n";
            fs::permissions(bin / "pg_dump", fs::perms::owner_all);
        }
        fails({"server-backup", conninfo, (dir.path() / "nightly.dump").string()}, admin::kRefused,
              said);
        // Nothing beside the program folder's own: no backup, no counts, no partial file.
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_TRUE(fs::is_directory(entry.path())) << entry.path();
    }
}

TEST_F(ServerCommands, TerminalMakesAFolderForTheServerAndSaysWhatItFound) {
    ok({"server-init", conninfo});
    const fs::path terminal = dir.path() / "counter", second = dir.path() / "second";
    EXPECT_EQ(run({"terminal", terminal.string(), conninfo + " password=geheim"}), admin::kUsage);
    EXPECT_FALSE(fs::exists(terminal));

    write("操作方法.html", "<p>help</p>");
    write("薬剤写真/PHOTO1/2171901F2S93.jpg", "jpeg");
    ok({"terminal", terminal.string(), conninfo, folder()});
    EXPECT_TRUE(printed("this terminal is ready")) << out.str();
    EXPECT_TRUE(fs::exists(terminal / "薬剤写真" / "PHOTO1" / "2171901F2S93.jpg"));
    EXPECT_TRUE(fs::exists(terminal / "操作方法.html"));
    std::ifstream conf(terminal / "データベース" / "接続先.conf");
    std::string line;
    std::getline(conf, line);
    EXPECT_EQ(line, conninfo);
    std::ifstream settings(terminal / "コンフィグ" / "Userfile.e", std::ios::binary);
    settings.seekg(2012);
    EXPECT_EQ(settings.get(), 1) << "the save-history flag";

    // A server of another version: the folder is made, the terminal told what to do.
    auto server = sqlkit::openServer(conninfo, nullptr);
    ASSERT_TRUE(server && server->exec("UPDATE Server_Schema SET VERSION = 1"));
    fails({"terminal", second.string(), conninfo}, admin::kPartial,
          "has tables of another version");
    EXPECT_TRUE(fs::exists(second / "操作方法.html"));
}

}  // namespace
