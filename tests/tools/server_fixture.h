// A program folder and a fresh database on the test server for the server commands, and the
// stored leaflets of a patient read back through the register's own calls.
#pragma once

#include <fstream>

#include "admin_fixture.h"
#include "patientbase.h"
#include "pg_server.h"
#include "stored_histories.h"

class ServerCommands : public AdminTest {
  protected:
    void SetUp() override {
        if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
        conninfo = testServer().freshDatabase();
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    }
    // Names `server` (this test's database unless given) in the folder's 接続先.conf.
    void pointAtServer(const std::string& server = "") {
        std::ofstream(dir.path() / "データベース" / "接続先.conf")
            << (server.empty() ? conninfo : server) << "\n";
    }
    std::string conninfo;
};

// Patient `id`'s stored history texts, newest first, through the register's own calls.
inline std::vector<std::string> histories(const std::filesystem::path& dataFolder, int id) {
    EXPECT_EQ(LRecordOpen(dataFolder.c_str(), nullptr), 0);
    const std::vector<std::string> texts = storedHistories(id);
    LRecordClose();
    return texts;
}
