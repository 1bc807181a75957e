// leafletadmin pharmacy: printing, setting and refusing the pharmacy's fields.
#include "admin_fixture.h"

namespace {

class PharmacyCommand : public AdminTest {
  protected:
    void SetUp() override { ASSERT_EQ(run({"init", folder()}), 0) << err.str(); }
};

TEST_F(PharmacyCommand, PrintsSetsAndRefusesWithoutStoring) {
    ASSERT_EQ(run({"pharmacy", folder()}), admin::kDone) << err.str();
    EXPECT_EQ(out.str(), "name=\nprefecture=\ncode=\npostal=\naddress=\nphone=\n");

    ASSERT_EQ(run({"pharmacy", folder(), "name=さくら薬局", "prefecture=13", "code=1234567",
                   "postal=100-0001", "address=東京都千代田区", "phone=03-1234-5678"}),
              admin::kDone)
        << err.str();
    const std::string stored =
        "name=さくら薬局\nprefecture=13\ncode=1234567\npostal=100-0001\naddress=東京都千代田区\n"
        "phone=03-1234-5678\n";
    EXPECT_EQ(out.str(), stored);

    struct Case {
        const char* name;
        std::string setting;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"prefecture out of range", "prefecture=48", admin::kRefused, "prefecture: two digits"},
        {"postal code unshaped", "postal=1000001", admin::kRefused, "postal: NNN-NNNN"},
        {"unknown key", "fax=03", admin::kUsage, "fax=03: not KEY=VALUE"},
        {"name too long", "name=" + std::string(121, 'a'), admin::kUsage, "name: at most 120"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run({"pharmacy", folder(), "code=7654321", c.setting}), c.status);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        ASSERT_EQ(run({"pharmacy", folder()}), admin::kDone);
        EXPECT_EQ(out.str(), stored);
    }
}

}  // namespace
