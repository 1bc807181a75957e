#include <fstream>

#include "admin_fixture.h"
#include "sjis/sjis.h"

namespace {

class ImportCommand : public AdminTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
        ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    }
    std::string k3Folder() const { return (dir.path() / "K3").string(); }
};

TEST_F(ImportCommand, RunsAnImportAndPrintsItsMessagesAndResult) {
    const auto file = dir.path() / "K3/7服薬指導CDテキストデータ/YJHA0601.K3";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        << sjis::fromUtf8(R"("2171901F2S93","新しい作用","","","","")") << "\r\n";
    ASSERT_EQ(run({"import", k3Folder(), "FUKUYOTEXT", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("レコード総数 1件\n読み込み完了\n")) << out.str();
    EXPECT_TRUE(printed("FUKUYOTEXT: 0 (done)"));
    ASSERT_EQ(run({"import", k3Folder(), "Record00", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("Record00: 0 (done)"));
}

TEST_F(ImportCommand, AMissingFileAnUnknownKindAndAMissingCatalogueAreRefused) {
    EXPECT_EQ(run({"import", k3Folder(), "YJSU", folder()}), admin::kRefused);
    EXPECT_TRUE(printed("Error:fopenエラー\n"));
    EXPECT_TRUE(printed("YJSU: 2 (the input file cannot be opened; nothing changed)"));
    EXPECT_EQ(run({"import", k3Folder(), "yjsu", folder()}), admin::kUsage);
    EXPECT_NE(err.str().find("Recordcode"), std::string::npos);
    EXPECT_EQ(run({"import", k3Folder(), "YJSH", (dir.path() / "nowhere").string()}),
              admin::kRefused);
    EXPECT_NE(err.str().find("no drug database"), std::string::npos);
}

}  // namespace
