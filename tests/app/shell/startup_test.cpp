#include <QComboBox>
#include <cstring>
#include <fstream>
#include <functional>

#include "drugbase.h"
#include "drugbase/admin.h"
#include "folderkey/folder_keying.h"
#include "folderkey/key_store.h"
#include "patientbase/admin.h"
#include "pg_server.h"
#include "program_fixture.h"
#include "sqlkit/postgres.h"

// A settings file that cannot be read, or a folder copied to another user or machine without
// its key: the start ends and says why (how to import the key, for the folder named), and
// leaves the folder's files as they were.
TEST_F(ProgramTest, AnUnreadableSettingsFileOrAMissingKeyEndsTheStart) {
    const std::filesystem::path database = dir.path() / "データベース";
    const auto id = folderkey::folderIdOf(database);
    ASSERT_TRUE(id);
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const char* title;
        std::vector<std::string> told;  // parts of the message
    };
    const Case cases[] = {
        {"settings file unreadable",
         [&] { std::filesystem::create_directories(dir.path() / "コンフィグ" / "Userfile.e"); },
         "エラー",
         {"ユーザーファイル作成に失敗しました。01"}},
        {"key missing",
         [&] { ASSERT_TRUE(std::filesystem::remove(folderkey::keyFile(*id))); },
         "データ暗号鍵",
         {*id, "leafletadmin key import", "データ暗号鍵 回復用シート"}},
    };
    const auto before = std::filesystem::last_write_time(database / "患者ファイル.mdb");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        prompts.shown.clear();
        desk::Desk s(prompts);
        EXPECT_FALSE(shell::startUp(s, dir.path()));
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown.back().title, c.title);
        for (const std::string& part : c.told)
            EXPECT_NE(prompts.shown.back().text.find(part), std::string::npos) << part;
        EXPECT_EQ(std::filesystem::last_write_time(database / "患者ファイル.mdb"), before);
    }
}

TEST_F(ProgramTest, AFolderOnTheBuiltInPasswordIsReKeyedAtTheStart) {
    const std::filesystem::path database = dir.path() / "データベース";
    for (const char* name : folderkey::kEncryptedFiles) std::filesystem::remove(database / name);
    std::filesystem::remove(database / folderkey::kFolderIdFile);
    ASSERT_TRUE(drugbase::createCatalogue(database, nullptr) &&
                patientbase::createPatientDatabase(database, nullptr));
    desk::Desk s(prompts);
    ASSERT_TRUE(shell::startUp(s, dir.path()));
    EXPECT_EQ(folderkey::keyOf(database).state, folderkey::FolderKey::State::Ready);
}

TEST_F(ProgramTest, PhraseListsFeedThePrescriberList) {
    desk::Desk s(prompts);
    ASSERT_TRUE(shell::startUp(s, dir.path()));
    dosage::PhraseTable table{};
    std::memcpy(table.data(), "\r\n", 2);
    std::strcpy(table.data() + 2 * DOSAGEBASE_SLOT_SIZE, "Dr. A");
    ASSERT_EQ(DRecordDocument(table.data(), dosage::kPrescribers), 0);
    ASSERT_TRUE(start());
    auto* prescribers = find<QComboBox>("prescriberList");
    ASSERT_EQ(prescribers->count(), 2);
    EXPECT_EQ(prescribers->itemText(1), "Dr. A");
}

TEST_F(ProgramTest, WithoutTheDrugFileTheWindowOpensEmptyAndSaysSo) {
    std::filesystem::remove(dir.path() / "データベース" / "薬剤ファイル.mdb");
    EXPECT_FALSE(start()) << "the drug list cannot be filled";
    EXPECT_EQ(prompts.shown.back().text, "データベースに異常があります。");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->drugList().count(), 0);
}

TEST_F(ProgramTest, AServerThatCannotBeWorkedOnEndsTheStartAndSaysWhichOne) {
    const std::filesystem::path conf = dir.path() / "データベース" / "接続先.conf";
    const auto startWith = [&](const std::string& address) {
        std::ofstream(conf, std::ios::trunc) << "# the shared server\n" << address << "\n";
        desk::Desk s(prompts);
        EXPECT_FALSE(shell::startUp(s, dir.path())) << address;
        return prompts.shown.empty() ? std::string() : prompts.shown.back().text;
    };
    const std::string nowhere = (dir.path() / "no-server").string();
    std::string text = startWith("host=" + nowhere + " port=5999 dbname=pharmacy user=clerk");
    EXPECT_TRUE(text.starts_with("データベースサーバーに接続できません。\n接続先：host " + nowhere +
                                 " port 5999 database pharmacy\n"))
        << text;
    EXPECT_EQ(prompts.shown.back().title, "データベースサーバー");
    // A password in the file is refused and never shown.
    text = startWith("host=" + nowhere + " password=geheim");
    EXPECT_TRUE(text.starts_with("「データベース」フォルダーの接続先.confを使えません。")) << text;
    EXPECT_EQ(text.find("geheim"), std::string::npos) << text;
    // A server elsewhere reached without verifying its certificate is warned about first.
    const std::size_t before = prompts.shown.size();
    text = startWith("host=db.invalid hostaddr=127.0.0.1 port=1 sslmode=require");
    ASSERT_EQ(prompts.shown.size(), before + 2);
    EXPECT_TRUE(prompts.shown[before].text.starts_with(
        "データベースサーバーの証明書を確かめずに接続します（sslmode=require）。"))
        << prompts.shown[before].text;
    EXPECT_TRUE(text.starts_with("データベースサーバーに接続できません。")) << text;

    if (!testServer().problem().empty()) GTEST_SKIP() << testServer().problem();
    const std::string conninfo = testServer().freshDatabase();
    text = startWith(conninfo);
    EXPECT_TRUE(text.starts_with("データベースサーバーにこのソフトのデータがないか")) << text;
    EXPECT_NE(text.find("medicine_information"), std::string::npos) << text;

    // Once the folder's data is on the server, the program starts on it.
    std::filesystem::remove(conf);
    std::ostringstream out, err;
    ASSERT_EQ(admin::copyToServer(dir.path(), conninfo, out, err), 0) << err.str();
    std::ofstream(conf) << conninfo << "\n";
    std::string error;
    auto server = sqlkit::openServer(conninfo, &error);
    ASSERT_TRUE(server && server->exec("UPDATE Server_Schema SET VERSION = 1")) << error;
    text = startWith(conninfo);
    EXPECT_TRUE(text.starts_with("データベースサーバーのデータの版（1）が、このソフトの版（4）と"))
        << text;
    EXPECT_NE(text.find("leafletadmin server-upgrade"), std::string::npos) << text;
    ASSERT_TRUE(server->exec("UPDATE Server_Schema SET VERSION = 4")) << server->lastError();
    std::filesystem::remove(dir.path() / "データベース" / "薬剤ファイル.mdb");
    const std::size_t shown = prompts.shown.size();
    ASSERT_TRUE(start());
    for (std::size_t i = shown; i < prompts.shown.size(); ++i)
        EXPECT_EQ(prompts.shown[i].text.find("データベース"), std::string::npos)
            << prompts.shown[i].text;
    EXPECT_GT(window->drugList().count(), 0);
}
