// leafletadmin audit: the sample road's rows listed on the files and on the server, and a row
// changed or deleted behind the program's back named by --verify.
#include "folderkey/file_key.h"
#include "server_fixture.h"
#include "sqlkit/sqlkit.h"

namespace {

constexpr const char* kLeaflet = "[{\"yjcode\": \"2171901F2S93\", \"timings\": [0, 1, 0, 0, 0]}]";

class AuditCommand : public ServerCommands, public ::testing::WithParamInterface<bool> {
  protected:
    bool onServer() const { return GetParam(); }
    // The connection holding the register's trail.
    sqlkit::ConnectionPtr trail() {
        std::string error;
        const auto database = dir.path() / "データベース";
        auto db = onServer()
                      ? sqlkit::openServer(conninfo, &error)
                      : sqlkit::openEncrypted(database / "患者ファイル.mdb",
                                              *folderkey::fileKeyIn(database, nullptr), &error);
        EXPECT_TRUE(db) << error;
        return db;
    }
};

TEST_P(AuditCommand, ListsTheRoadAndVerifyNamesAChangedOrDeletedRow) {
    if (onServer()) {
        ASSERT_EQ(run({"server-init", conninfo}), 0) << err.str();
        pointAtServer();
    }
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "3", "監査 一郎"}), 0) << err.str();
    ASSERT_EQ(run({"add-patient", folder(), "4", "監査 二郎"}), 0) << err.str();
    std::ofstream(dir.path() / "leaflet.json") << kLeaflet;
    ASSERT_EQ(run({"store-leaflet", folder(), "3", (dir.path() / "leaflet.json").string()}), 0)
        << err.str();

    ASSERT_EQ(run({"audit", folder(), "--patient", "3"}), 0) << err.str();
    EXPECT_TRUE(printed("\tpatient.register\t3\t\n")) << out.str();
    EXPECT_TRUE(printed("\tleaflet.store\t3\t")) << out.str();
    EXPECT_TRUE(printed(", 1 drugs\n")) << out.str();
    EXPECT_FALSE(printed("\t4\t")) << out.str();
    ASSERT_EQ(run({"audit", folder(), "--since", "2999-01-01"}), 0) << err.str();
    EXPECT_EQ(out.str(), "time\tuser\tterminal\tpharmacist\taction\tpatient\tdetail\n");
    ASSERT_EQ(run({"audit", folder()}), 0) << err.str();
    EXPECT_TRUE(printed("\tcatalogue.load\t\t41 drugs\n")) << out.str();
    EXPECT_EQ(run({"audit", folder(), "--since", "yesterday"}), admin::kUsage);
    ASSERT_EQ(run({"audit", folder(), "--verify"}), 0) << err.str();

    // On a server the catalogue's row comes first in the one chain.
    const int first = onServer() ? 2 : 1;
    auto db = trail();
    ASSERT_TRUE(
        db->exec("UPDATE Audit_Log SET DETAIL = 'x' WHERE SEQ = " + std::to_string(first + 1)));
    EXPECT_EQ(run({"audit", folder(), "--verify"}), admin::kRefused);
    const std::string changed =
        "row " + std::to_string(first + 1) + " (SEQ " + std::to_string(first + 1) + ", ";
    EXPECT_NE(err.str().find(changed), std::string::npos) << err.str();
    ASSERT_TRUE(db->exec("DELETE FROM Audit_Log WHERE SEQ = " + std::to_string(first + 1)));
    EXPECT_EQ(run({"audit", folder(), "--verify"}), admin::kRefused);
    const std::string deleted =
        "row " + std::to_string(first + 1) + " (SEQ " + std::to_string(first + 2) + ", ";
    EXPECT_NE(err.str().find(deleted), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(On, AuditCommand, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Server" : "Files"; });

}  // namespace
