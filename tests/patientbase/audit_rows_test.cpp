// The register's audit rows: one per change and per noted print, written in the change's
// transaction, so a change whose row cannot be written does not happen.
#include "audit/actor.h"
#include "audit/trail.h"
#include "patient_fixture.h"
#include "stamp_text.h"

namespace {

using AuditRows = RegisterTest;

TEST_P(AuditRows, EveryChangeAndNoteLeavesAChainedRowNamingWhoAndWhatNotTheValues) {
    audit::setPharmacist("監査 薬剤師");
    create(5, "監査 花子");
    PatientRecord changed = patient(6, "監査 華子");  // renumbered: later rows name the new ID
    changed.SEX = 2;
    ASSERT_EQ(LRecordEdit(&changed, 5), 0);
    ASSERT_EQ(LRecordRIREKI(6, historyBlock("2171901F2S93").c_str()), 0);
    const std::string stamp = storedText("SELECT N0 FROM Patient_Information");
    ASSERT_EQ(LRecordAuditNote("leaflet.print", 6, "1 drugs, 1 pages"), 0);
    const std::string slotTime = patientbase::slotTimeText(*patientbase::parseStored(stamp));
    ASSERT_EQ(LRecordRIREKIDELLSlot(6, 0, slotTime.c_str()), 1);
    ASSERT_EQ(LRecordDell(6), 0);
    ASSERT_EQ(LRecordDell(6), 0);  // nothing left to delete: no row

    std::vector<audit::Row> rows;
    std::string error;
    ASSERT_TRUE(audit::readRows(*raw(), rows, &error)) << error;
    struct Case {
        const char* action;
        const char* id;
        std::string detail;
    };
    const Case expected[] = {
        {"patient.register", "5", ""},
        {"patient.correct", "6", "ID PATIENT SEX"},
        {"leaflet.store", "6", stamp + ", 1 drugs"},
        {"leaflet.print", "6", "1 drugs, 1 pages"},
        {"leaflet.delete", "6", stamp},
        {"patient.delete", "6", ""},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].action);
        EXPECT_EQ(rows[i].action, expected[i].action);
        EXPECT_EQ(rows[i].patientId, expected[i].id);
        EXPECT_EQ(rows[i].detail, expected[i].detail);
        EXPECT_EQ(rows[i].pharmacist, "監査 薬剤師");
        EXPECT_EQ(rows[i].terminal, audit::currentActor().terminal);
        EXPECT_EQ(rows[i].stamp.size(), 19u) << rows[i].stamp;
    }
    EXPECT_FALSE(audit::firstBrokenRow(rows));
}

TEST_P(AuditRows, AChangeWhoseRowCannotBeWrittenIsNotStored) {
    create(5, "監査 花子");
    ASSERT_TRUE(raw()->exec("DROP TABLE Audit_Log; CREATE TABLE Audit_Log (SEQ INTEGER)"));
    const PatientRecord other = patient(6, "監査 次郎");
    EXPECT_NE(LRecordCreate(&other), 0);
    EXPECT_EQ(LRecordDell(5), 99);
    EXPECT_EQ(storedText("SELECT ID FROM Patient_Information ORDER BY ID"), "5");
    EXPECT_EQ(storedText("SELECT ID FROM Patient_Information WHERE ID = 6"), "<no row>");
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(AuditRows);
