
#include <cstdlib>

#include "admin_fixture.h"
#include "drugbase/admin.h"
#include "file_mode.h"
#include "folderkey/file_key.h"
#include "folderkey/key_store.h"
#include "patientbase/admin.h"
#include "pdf_reading.h"
#include "scoped_env.h"
#include "symbol_reading.h"

namespace fs = std::filesystem;

namespace {

class KeyCommands : public AdminTest {
  protected:
    fs::path database() const { return dir.path() / "データベース"; }
};

}  // namespace

// A new folder and an old one after `rekey`: the built-in password opens none of their files,
// the folder's key all, and only their owner may read them and the key.
TEST_F(KeyCommands, TheFolderKeyAloneOpensTheFilesOfANewOrReKeyedFolder) {
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "re-keyed" : "new");
        fs::remove_all(database());
        ASSERT_EQ(run({"init", folder()}), admin::kDone) << err.str();
        if (old) {  // as made before folders had keys: no id, the files on the built-in password
            for (const char* name : folderkey::kEncryptedFiles) fs::remove(database() / name);
            fs::remove(database() / folderkey::kFolderIdFile);
            ASSERT_TRUE(drugbase::createCatalogue(database(), nullptr) &&
                        patientbase::createPatientDatabase(database(), nullptr));
            ASSERT_EQ(run({"rekey", folder()}), admin::kDone) << err.str();
        }
        const auto key = folderkey::fileKeyIn(database(), nullptr);
        for (const char* name : folderkey::kEncryptedFiles) {
            SCOPED_TRACE(name);
            EXPECT_FALSE(
                sqlkit::openEncrypted(database() / name, folderkey::kBuiltInPassword, nullptr));
            EXPECT_TRUE(sqlkit::openEncrypted(database() / name, *key, nullptr));
            EXPECT_EQ(modeOf(database() / name), 0600u);
        }
        EXPECT_EQ(modeOf(database()), 0700u);
        EXPECT_EQ(modeOf(folderkey::keyDirectory()), 0700u);
        EXPECT_EQ(modeOf(folderkey::keyFile(*folderkey::folderIdOf(database()))), 0600u);
    }
}

// The recovery sheet read by outside readers, then the folder copied to a user without its key:
// refused, naming the folder, until the key is imported from the sheet's picture or typed.
TEST_F(KeyCommands, ACopiedFolderOpensOnlyAfterItsKeyIsImportedFromTheSheet) {
    ASSERT_EQ(run({"init", folder()}), admin::kDone) << err.str();
    const folderkey::FolderKey key = folderkey::keyOf(database());
    const std::string sheet = (dir.path() / "sheet.pdf").string();
    ASSERT_EQ(run({"key", "export", folder(), sheet}), admin::kDone) << err.str();
    std::string grouped = folderkey::groupedHex(key.key);
    std::erase_if(grouped, [](char c) { return c == ' ' || c == '\n'; });
    for (const std::string& part : {std::string("データ暗号鍵回復用シート"), key.folderId, grouped})
        EXPECT_NE(pdfText(sheet).find(part), std::string::npos) << part;
    const std::string picture = (dir.path() / "sheet").string();
    ASSERT_EQ(
        std::system(("pdftoppm -r 100 -png -singlefile '" + sheet + "' '" + picture + "'").c_str()),
        0);
    EXPECT_EQ(zbarBytes(picture + ".png"),
              "LEAFLETDESK-KEY\n" + key.folderId + "\n" + folderkey::hexOf(key.key) + "\n");

    TempDir otherUser;
    ScopedEnv keys("LEAFLET_KEY_DIR", otherUser.path().c_str());
    EXPECT_EQ(run({"init", folder()}), admin::kRefused) << "no new files beside the old";
    EXPECT_NE(err.str().find(key.folderId), std::string::npos);
    EXPECT_NE(err.str().find("leafletadmin key import"), std::string::npos);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int result;
    } cases[] = {
        {"not a key", {"key", "import", folder(), "12AB"}, admin::kUsage},
        {"another key", {"key", "import", folder(), std::string(64, '0')}, admin::kRefused},
        {"the sheet's picture",
         {"key", "import", folder(), "--from-picture", picture + ".png"},
         admin::kDone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.args), c.result) << err.str();
        EXPECT_EQ(run({"list", folder()}),
                  c.result == admin::kDone ? admin::kDone : admin::kRefused);
    }
}
