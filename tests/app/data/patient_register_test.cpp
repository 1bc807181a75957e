// The patient register face: names and records told apart from "not found" and from failures,
// the register listed row by row, and the history reached through the stamps as listed.
#include "data_folder_fixture.h"

namespace {

using data::DataResult;

PatientRecord patient(int id, const char* name) {
    PatientRecord r{};
    r.ID = id;
    sjis::copyField(r.PATIENT, sizeof r.PATIENT, cp932(name));
    return r;
}

using PatientRegisterTest = DataFolderTest;

TEST(StampTexts, TheListFormGivesTheSlotTimeText) {
    EXPECT_EQ(data::slotTimeText(cp932("2009年03月07日 09:05:03")), "2009/03/07 09:05:03");
    EXPECT_EQ(data::slotTimeText(cp932("2009年03月07日 09:05")), "");
    EXPECT_EQ(data::slotTimeText(""), "");
}

TEST_F(PatientRegisterTest, NamesAndRecordsAreFoundOrSaidToBeMissing) {
    ASSERT_EQ(patients.add(patient(12, "見本 花子")), DataResult::kDone);
    ASSERT_EQ(patients.add(patient(3, "ア 一郎")), DataResult::kDone);
    EXPECT_EQ(patients.add(patient(12, "重複")), DataResult::kFailed);
    EXPECT_EQ(messages.back(), "Error:ID.Duplicate");

    std::string name = "kept";
    ASSERT_EQ(patients.nameOf(12, name), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(name), "見本 花子");
    name = "kept";
    EXPECT_EQ(patients.nameOf(99, name), DataResult::kNotFound);
    EXPECT_EQ(name, "kept");

    PatientRecord record = patient(77, "untouched");
    EXPECT_EQ(patients.detail(99, record), DataResult::kNotFound);
    EXPECT_EQ(record.ID, 77);
    ASSERT_EQ(patients.detail(3, record), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(record.PATIENT), "ア 一郎");
    EXPECT_EQ(patients.idInUse(3), data::Presence::kPresent);
    EXPECT_EQ(patients.idInUse(4), data::Presence::kAbsent);

    std::vector<data::PatientRow> rows;
    ASSERT_EQ(patients.list(data::PatientOrder::ById, rows), DataResult::kDone);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, 3);
    EXPECT_EQ(sjis::toUtf8(rows[1].name), "見本 花子");

    record.ID = 4;
    ASSERT_EQ(patients.correct(record, 3), DataResult::kDone);
    EXPECT_EQ(patients.idInUse(3), data::Presence::kAbsent);
    ASSERT_EQ(patients.remove(4), DataResult::kDone);
    ASSERT_EQ(patients.list(data::PatientOrder::ByName, rows), DataResult::kDone);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, 12);
}

TEST_F(PatientRegisterTest, FreeIdsStayAboveUsedOnesAndSearchesMeetEveryCondition) {
    int id = 0;
    PatientRecord woman = patient(4, "見本 花子");
    woman.SEX = 2;
    woman.NENGO = 5;  // 令和, stored as it is
    woman.YEAR = 2;
    sjis::copyField(woman.BYOUTO, sizeof woman.BYOUTO, cp932("東病棟"));
    ASSERT_EQ(patients.add(woman), DataResult::kDone);
    ASSERT_EQ(patients.add(patient(2, "見本 一郎")), DataResult::kDone);
    ASSERT_EQ(patients.add(patient(1, "見本 三郎")), DataResult::kDone);
    ASSERT_EQ(patients.freeId(id), DataResult::kDone);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(patients.idEverUsed(4), data::Presence::kPresent);
    EXPECT_EQ(patients.idEverUsed(3), data::Presence::kAbsent);

    std::vector<data::PatientRow> found;
    ASSERT_EQ(patients.search({}, found), DataResult::kDone);
    ASSERT_EQ(found.size(), 3u) << "no condition lists everyone";
    EXPECT_EQ(found[0].id, 1);
    EXPECT_EQ(found[2].id, 4);
    EXPECT_EQ(sjis::toUtf8(found[2].name), "見本 花子") << "names stay beside their IDs";

    data::PatientSearch byEra;
    byEra.era = 5;
    byEra.birthYear = "2";
    byEra.ward = cp932("病棟");
    ASSERT_EQ(patients.search(byEra, found), DataResult::kDone);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, 4);
    data::PatientSearch byName;
    byName.name = cp932("一郎");
    ASSERT_EQ(patients.search(byName, found), DataResult::kDone);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, 2);
}

TEST_F(PatientRegisterTest, TheHistoryIsReachedThroughTheListedStamps) {
    ASSERT_EQ(patients.add(patient(5, "見本 一郎")), DataResult::kDone);
    const std::string block = "1124017F1020" + std::string(4098, '$');
    EXPECT_EQ(patients.storeHistory(5, "short"), DataResult::kFailed);
    EXPECT_EQ(patients.storeHistory(6, block), DataResult::kDone) << "an unknown patient";
    using data::CheckedStore;
    const std::string ichiro = cp932("見本 一郎");
    EXPECT_EQ(patients.storeHistoryFor(6, ichiro, block), CheckedStore::kNoPatient);
    EXPECT_EQ(patients.storeHistoryFor(5, cp932("見本 二郎"), block), CheckedStore::kNameDiffers);
    EXPECT_EQ(patients.storeHistoryFor(5, ichiro, "short"), CheckedStore::kFailed);
    ASSERT_EQ(patients.storeHistoryFor(5, ichiro, block), CheckedStore::kStored);
    int uses = -1;
    ASSERT_EQ(patients.leafletsUsing("1124017F1020", uses), DataResult::kDone);
    EXPECT_EQ(uses, 1);

    std::vector<data::HistoryEntry> entries = {{"stale", 3}};
    ASSERT_EQ(patients.historyEntries(5, entries), DataResult::kDone);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].slot, 0);
    std::string text;
    ASSERT_EQ(patients.historyText(5, entries[0], text), DataResult::kDone);
    EXPECT_EQ(text, block);
    EXPECT_EQ(patients.historyText(5, {cp932("2000年01月01日 00:00:00"), 0}, text),
              DataResult::kNotFound);
    EXPECT_EQ(patients.historyText(5, {"not a stamp", 0}, text), DataResult::kNotFound);

    ASSERT_EQ(patients.deleteHistory(5, entries[0]), DataResult::kDone);
    EXPECT_EQ(patients.deleteHistory(5, entries[0]), DataResult::kNotFound);
    ASSERT_EQ(patients.historyEntries(5, entries), DataResult::kDone);
    EXPECT_TRUE(entries.empty());
}

TEST_F(PatientRegisterTest, AFailureIsNeverTakenForAMissingPatient) {
    ASSERT_EQ(patients.add(patient(12, "見本 花子")), DataResult::kDone);
    std::filesystem::remove(databaseFolder() / "患者ファイル.mdb");
    std::string name;
    PatientRecord record{};
    std::vector<data::HistoryEntry> entries;
    EXPECT_EQ(patients.nameOf(12, name), DataResult::kFailed);
    EXPECT_EQ(patients.detail(12, record), DataResult::kFailed);
    EXPECT_EQ(patients.idInUse(12), data::Presence::kFailed);
    EXPECT_EQ(patients.idEverUsed(12), data::Presence::kFailed);
    int uses = 0;
    EXPECT_EQ(patients.leafletsUsing("1124017F1020", uses), DataResult::kFailed);
    EXPECT_EQ(patients.historyEntries(12, entries), DataResult::kFailed);
    EXPECT_EQ(patients.storeHistory(12, std::string(4110, '$')), DataResult::kFailed);
    EXPECT_FALSE(messages.empty());
}

}  // namespace
