// leafletadmin audit: the sample road's rows listed on the files and on the server, and a row
// changed or deleted behind the program's back named by --verify.
#include "admin_fixture.h"
#include "folderkey/file_key.h"
#include "sqlkit/sqlkit.h"

namespace {

class AuditCommand : public ServerCommands, public ::testing::WithParamInterface<bool> {};

TEST_P(AuditCommand, ListsTheRoadAndVerifyNamesAChangedOrDeletedRow) {
    const bool onServer = GetParam();
    if (onServer) {
        ok({"server-init", conninfo});
        pointAtServer();
    }
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    ok({"add-patient", folder(), "3", "監査 一郎"});
    ok({"add-patient", folder(), "4", "監査 二郎"});
    ok({"store-leaflet", folder(), "3", write("leaflet.json", R"([{"yjcode": "2171901F2S93"}])")});

    ok({"audit", folder(), "--patient", "3"});
    for (const char* row : {"\tpatient.register\t3\t\n", "\tleaflet.store\t3\t", ", 1 drugs\n"})
        EXPECT_TRUE(printed(row)) << out.str();
    EXPECT_FALSE(printed("\t4\t")) << out.str();
    ok({"audit", folder(), "--since", "2999-01-01"});
    EXPECT_EQ(out.str(), "time\tuser\tterminal\tpharmacist\taction\tpatient\tdetail\n");
    ok({"audit", folder()});
    EXPECT_TRUE(printed("\tcatalogue.load\t\t41 drugs\n")) << out.str();
    EXPECT_EQ(run({"audit", folder(), "--since", "yesterday"}), admin::kUsage);
    ok({"audit", folder(), "--verify"});

    // On a server the catalogue's row comes first in the one chain.
    const std::string row = onServer ? "3" : "2", next = onServer ? "4" : "3";
    auto db = onServer ? sqlkit::openServer(conninfo, nullptr)
                       : sqlkit::openEncrypted(data() / "患者ファイル.mdb",
                                               *folderkey::fileKeyIn(data(), nullptr), nullptr);
    ASSERT_TRUE(db && db->exec("UPDATE Audit_Log SET DETAIL = 'x' WHERE SEQ = " + row));
    fails({"audit", folder(), "--verify"}, admin::kRefused, "row " + row + " (SEQ " + row + ", ");
    ASSERT_TRUE(db->exec("DELETE FROM Audit_Log WHERE SEQ = " + row));
    fails({"audit", folder(), "--verify"}, admin::kRefused, "row " + row + " (SEQ " + next + ", ");
}

INSTANTIATE_TEST_SUITE_P(On, AuditCommand, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Server" : "Files"; });

}  // namespace
