// leafletadmin import: the library's messages and result printed; the import rules are the
// drug library's.
#include "admin_fixture.h"
#include "sjis/sjis.h"

namespace {

TEST_F(AdminTest, ImportPrintsTheMessagesAndResultOrRefuses) {
    ok({"init", folder()});
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    const std::string k3 = (dir.path() / "K3").string();
    std::filesystem::create_directories(dir.path() / "K3/7服薬指導CDテキストデータ");
    write("K3/7服薬指導CDテキストデータ/YJHA0601.K3",
          sjis::fromUtf8(R"("2171901F2S93","新しい作用","","","","")") + "\r\n");
    ok({"import", k3, "FUKUYOTEXT", folder()});
    EXPECT_TRUE(printed("レコード総数 1件\n読み込み完了\n")) << out.str();
    EXPECT_TRUE(printed("FUKUYOTEXT: 0 (done)"));
    ok({"import", k3, "Record00", folder()});
    EXPECT_TRUE(printed("Record00: 0 (done)"));

    EXPECT_EQ(run({"import", k3, "YJSU", folder()}), admin::kRefused);
    EXPECT_TRUE(printed("Error:fopenエラー\n"));
    EXPECT_TRUE(printed("YJSU: 2 (the input file cannot be opened; nothing changed)"));
    fails({"import", k3, "yjsu", folder()}, admin::kUsage, "Recordcode");
    fails({"import", k3, "YJSH", (dir.path() / "nowhere").string()}, admin::kRefused,
          "no drug database");
}

}  // namespace
