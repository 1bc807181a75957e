#include <gtest/gtest.h>

#include "folderkey/key_store.h"
#include "scoped_env.h"

namespace fs = std::filesystem;

TEST(KeyText, TypedKeysAreReadWithTheirGroupingAndNothingElse) {
    const std::string hex(64, 'a');
    struct Case {
        const char* name;
        std::string text;
        bool read;
    } cases[] = {
        {"plain", hex, true},
        {"grouped over lines",
         "AAAA aaaa-AAAA aaaa AAAA aaaa AAAA aaaa\nAAAA aaaa AAAA aaaa "
         "AAAA aaaa AAAA aaaa\r\n",
         true},
        {"one digit short", hex.substr(1), false},
        {"one digit over", hex + "a", false},
        {"not a hex digit", hex.substr(1) + "g", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto key = folderkey::parseKey(c.text);
        ASSERT_EQ(key.has_value(), c.read);
        if (c.read) {
            EXPECT_EQ(folderkey::hexOf(*key), std::string(64, 'A'));
        }
    }
    // Shown to be written down: groups of four digits, eight groups a line.
    const std::string line = "AAAA AAAA AAAA AAAA AAAA AAAA AAAA AAAA";
    EXPECT_EQ(folderkey::groupedHex(*folderkey::parseKey(hex)), line + "\n" + line);
    const folderkey::Key key = folderkey::randomKey();
    EXPECT_EQ(folderkey::parseKey(folderkey::groupedHex(key)), key);
    EXPECT_NE(folderkey::randomKey(), key);
}

TEST(KeyStore, KeysLiveInTheUsersConfigurationUnlessTheKeyFolderIsNamed) {
    struct Case {
        const char* name;
        const char* keyDir;
        const char* xdg;
        fs::path expected;
    } cases[] = {
        {"named", "/k", "/x", "/k"},
        {"configuration folder", nullptr, "/x", "/x/leafletdesk/keys"},
        {"home", nullptr, nullptr, "/h/.config/leafletdesk/keys"},
    };
    ScopedEnv home("HOME", "/h");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv keyDir("LEAFLET_KEY_DIR", c.keyDir), xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(folderkey::keyDirectory(), c.expected);
    }
}
