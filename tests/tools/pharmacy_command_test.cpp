// leafletadmin pharmacy: printing, setting and refusing the pharmacy's fields.
#include "admin_fixture.h"

namespace {

TEST_F(AdminTest, PharmacyPrintsSetsAndRefusesWithoutStoring) {
    ok({"init", folder()});
    ok({"pharmacy", folder()});
    EXPECT_EQ(out.str(), "name=\nprefecture=\ncode=\npostal=\naddress=\nphone=\n");
    ok({"pharmacy", folder(), "name=さくら薬局", "prefecture=13", "code=1234567", "postal=100-0001",
        "address=東京都千代田区", "phone=03-1234-5678"});
    const std::string stored =
        "name=さくら薬局\nprefecture=13\ncode=1234567\npostal=100-0001\naddress=東京都千代田区\n"
        "phone=03-1234-5678\n";
    EXPECT_EQ(out.str(), stored);

    struct Case {
        std::string setting;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"prefecture=48", admin::kRefused, "prefecture: two digits"},
        {"postal=1000001", admin::kRefused, "postal: NNN-NNNN"},
        {"fax=03", admin::kUsage, "fax=03: not KEY=VALUE"},
        {"name=" + std::string(121, 'a'), admin::kUsage, "name: at most 120"},
    };
    for (const Case& c : cases) {
        fails({"pharmacy", folder(), "code=7654321", c.setting}, c.status, c.message);
        ok({"pharmacy", folder()});
        EXPECT_EQ(out.str(), stored);
    }
}

}  // namespace
