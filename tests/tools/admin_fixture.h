// Runs leafletadmin commands on a temporary folder, capturing what they print; the server
// commands' fixture adds a fresh database on the test server.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "admin.h"
#include "patientbase.h"
#include "pg_server.h"
#include "stored_histories.h"
#include "temp_dir.h"

class AdminTest : public ::testing::Test {
  protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return admin::run(args, out, err);
    }
    // Runs a command that must succeed.
    void ok(const std::vector<std::string>& args) { ASSERT_EQ(run(args), 0) << err.str(); }
    // Runs a command that must end with `status` and say `message`.
    void fails(const std::vector<std::string>& args, int status, const std::string& message) {
        EXPECT_EQ(run(args), status) << out.str();
        EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    }
    std::string folder() const { return dir.path().string(); }
    std::filesystem::path data() const { return dir.path() / "データベース"; }
    bool printed(const std::string& text) const {
        return out.str().find(text) != std::string::npos;
    }
    // A file of the folder written with `text`; its path.
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir.path() / name, std::ios::binary) << text;
        return (dir.path() / name).string();
    }

    TempDir dir;
    std::ostringstream out, err;
};

class ServerCommands : public AdminTest {
  protected:
    void SetUp() override {
        if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
        conninfo = testServer().freshDatabase();
        ok({"init", folder()});
    }
    // Names `server` (this test's database unless given) in the folder's 接続先.conf.
    void pointAtServer(const std::string& server = "") {
        std::ofstream(data() / "接続先.conf") << (server.empty() ? conninfo : server) << "\n";
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
