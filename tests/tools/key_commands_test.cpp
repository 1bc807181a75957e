// rekey, key export and key import on a program folder.
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

// A new folder and an old one after `rekey`: the built-in password opens none of their files,
// the folder's key all, and only their owner may read them and the key.
TEST_F(AdminTest, TheFolderKeyAloneOpensTheFilesOfANewOrReKeyedFolder) {
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "re-keyed" : "new");
        fs::remove_all(data());
        ok({"init", folder()});
        if (old) {  // as made before folders had keys: no id, the files on the built-in password
            for (const char* name : folderkey::kEncryptedFiles) fs::remove(data() / name);
            fs::remove(data() / folderkey::kFolderIdFile);
            ASSERT_TRUE(drugbase::createCatalogue(data(), nullptr) &&
                        patientbase::createPatientDatabase(data(), nullptr));
            ok({"rekey", folder()});
        }
        const auto key = folderkey::fileKeyIn(data(), nullptr);
        for (const char* name : folderkey::kEncryptedFiles) {
            SCOPED_TRACE(name);
            EXPECT_FALSE(
                sqlkit::openEncrypted(data() / name, folderkey::kBuiltInPassword, nullptr));
            EXPECT_TRUE(sqlkit::openEncrypted(data() / name, *key, nullptr));
            EXPECT_EQ(modeOf(data() / name), 0600u);
        }
        EXPECT_EQ(modeOf(data()), 0700u);
        EXPECT_EQ(modeOf(folderkey::keyDirectory()), 0700u);
        EXPECT_EQ(modeOf(folderkey::keyFile(*folderkey::folderIdOf(data()))), 0600u);
    }
}

// The recovery sheet read by outside readers, then the folder copied to a user without its key:
// refused, naming the folder, until the key is imported from the sheet's picture or typed.
TEST_F(AdminTest, ACopiedFolderOpensOnlyAfterItsKeyIsImportedFromTheSheet) {
    ok({"init", folder()});
    const folderkey::FolderKey key = folderkey::keyOf(data());
    const std::string sheet = (dir.path() / "sheet.pdf").string(), picture = sheet + ".png";
    ok({"key", "export", folder(), sheet});
    std::string grouped = folderkey::groupedHex(key.key);
    std::erase_if(grouped, [](char c) { return c == ' ' || c == '\n'; });
    for (const std::string& part : {std::string("データ暗号鍵回復用シート"), key.folderId, grouped})
        EXPECT_NE(pdfText(sheet).find(part), std::string::npos) << part;
    ASSERT_EQ(
        std::system(("pdftoppm -r 100 -png -singlefile '" + sheet + "' '" + sheet + "'").c_str()),
        0);
    EXPECT_EQ(zbarBytes(picture),
              "LEAFLETDESK-KEY\n" + key.folderId + "\n" + folderkey::hexOf(key.key) + "\n");

    TempDir otherUser;
    ScopedEnv keys("LEAFLET_KEY_DIR", otherUser.path().c_str());
    fails({"init", folder()}, admin::kRefused, key.folderId);  // no new files beside the old
    EXPECT_NE(err.str().find("leafletadmin key import"), std::string::npos);
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"key", "import", folder(), "12AB"}, admin::kUsage},
        {{"key", "import", folder(), std::string(64, '0')}, admin::kRefused},
        {{"key", "import", folder(), "--from-picture", picture}, admin::kDone},
    };
    for (const auto& [args, result] : cases) {
        EXPECT_EQ(run(args), result) << args.back() << ": " << err.str();
        EXPECT_EQ(run({"list", folder()}), result == admin::kDone ? admin::kDone : admin::kRefused);
    }
}
