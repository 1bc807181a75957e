// The catalogue on a data server when the server fails: a lost server, a server file that is
// not fit to use. (The calls themselves run on both engines in the other suites.)
#include <fstream>

#include "catalogue_fixture.h"

namespace {

class CatalogueOnServer : public CatalogueTest {
  protected:
    Engine engine() const override { return Engine::Server; }
};

class CatalogueOnOwnServer : public CatalogueOnServer {
  protected:
    PgServer& server() const override { return ownServer(); }  // stopped by the test
};

TEST_F(CatalogueOnOwnServer, ALostServerFailsOneCallAndTheNextReconnects) {
    supply({drug("2149039F1030", "ノルバスク錠5mg")});
    DrugRecord back{};
    ASSERT_EQ(RecordDetail(&back, "2149039F1030"), 0);
    ASSERT_TRUE(server().stop());
    EXPECT_EQ(RecordDetail(&back, "2149039F1030"), DRUGBASE_DB_FAILURE);
    EXPECT_EQ(messages, Strings{"Error:DATABASE.Open"});
    ASSERT_TRUE(server().start());
    back = {};
    EXPECT_EQ(RecordDetail(&back, "2149039F1030"), 0);
    EXPECT_EQ(text(back.PRODUCTNAME), "ノルバスク錠5mg");
}

TEST_F(CatalogueOnServer, AServerFileWithAPasswordIsRefused) {
    const auto serverFile = data.path() / dbcall::kServerFileName;
    std::string conninfo;
    std::getline(std::ifstream(serverFile), conninfo);
    std::ofstream(serverFile, std::ios::trunc) << conninfo << " password=secret\n";
    EXPECT_EQ(RecordOpen(folder().c_str(), nullptr), DRUGBASE_CONDITION);
    DrugRecord back{};
    EXPECT_EQ(RecordDetail(&back, "x"), DRUGBASE_DB_FAILURE);
}

}  // namespace
