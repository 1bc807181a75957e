// The patient register face: what each call's result maps to (done, not found, failed), the
// rows and conditions handed across, and the history reached through the stamps as listed.
// What the calls decide is the library's (tests/patientbase).
#include "data_folder_fixture.h"

namespace {

using data::DataResult;
using data::Presence;

PatientRecord patient(int id, const char* name) {
    PatientRecord r{};
    r.ID = id;
    sjis::copyField(r.PATIENT, sizeof r.PATIENT, cp932(name));
    return r;
}

// "ID:name" of each row.
std::string rowsText(const std::vector<data::PatientRow>& rows) {
    std::string out;
    for (const auto& r : rows) out += std::to_string(r.id) + ":" + sjis::toUtf8(r.name) + ";";
    return out;
}

using PatientRegisterTest = DataFolderTest;

TEST(StampTexts, TheListFormGivesTheSlotTimeText) {
    EXPECT_EQ(data::slotTimeText(cp932("2009年03月07日 09:05:03")), "2009/03/07 09:05:03");
    EXPECT_EQ(data::slotTimeText(cp932("2009年03月07日 09:05")) + data::slotTimeText(""), "");
}

TEST_F(PatientRegisterTest, RecordsRowsAndConditionsMapToTheirResults) {
    PatientRecord woman = patient(4, "見本 花子");
    woman.SEX = 2;
    woman.NENGO = 5;
    woman.YEAR = 2;
    sjis::copyField(woman.BYOUTO, sizeof woman.BYOUTO, cp932("東病棟"));
    for (const PatientRecord& r : {woman, patient(2, "ア 一郎"), patient(1, "見本 三郎")})
        ASSERT_EQ(patients.add(r), DataResult::kDone);
    EXPECT_EQ(patients.add(patient(4, "重複")), DataResult::kFailed);
    EXPECT_EQ(messages, std::vector<std::string>{"Error:ID.Duplicate"});

    std::string name = "kept";
    EXPECT_EQ(patients.nameOf(99, name), DataResult::kNotFound);
    EXPECT_EQ(name, "kept");
    ASSERT_EQ(patients.nameOf(4, name), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(name), "見本 花子");
    PatientRecord record = patient(77, "untouched");
    EXPECT_EQ(patients.detail(99, record), DataResult::kNotFound);
    EXPECT_EQ(record.ID, 77);
    ASSERT_EQ(patients.detail(2, record), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(record.PATIENT), "ア 一郎");
    EXPECT_EQ(std::pair(patients.idInUse(2), patients.idInUse(3)),
              std::pair(Presence::kPresent, Presence::kAbsent));

    std::vector<data::PatientRow> rows;
    ASSERT_EQ(patients.list(data::PatientOrder::ById, rows), DataResult::kDone);
    EXPECT_EQ(rowsText(rows), "1:見本 三郎;2:ア 一郎;4:見本 花子;");
    ASSERT_EQ(patients.list(data::PatientOrder::ByName, rows), DataResult::kDone);
    EXPECT_EQ(rows.front().id, 2) << "by name";
    ASSERT_EQ(patients.search({}, rows), DataResult::kDone);
    EXPECT_EQ(rowsText(rows), "1:見本 三郎;2:ア 一郎;4:見本 花子;") << "names beside their IDs";
    data::PatientSearch byBirth;
    byBirth.era = 5;
    byBirth.birthYear = "2";
    byBirth.ward = cp932("病棟");
    ASSERT_EQ(patients.search(byBirth, rows), DataResult::kDone);
    EXPECT_EQ(rowsText(rows), "4:見本 花子;");
    data::PatientSearch byName;
    byName.name = cp932("一郎");
    ASSERT_EQ(patients.search(byName, rows), DataResult::kDone);
    EXPECT_EQ(rowsText(rows), "2:ア 一郎;");

    record.ID = 3;
    ASSERT_EQ(patients.correct(record, 2), DataResult::kDone);
    ASSERT_EQ(patients.remove(3), DataResult::kDone);
    int id = 0;
    ASSERT_EQ(patients.freeId(id), DataResult::kDone);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(std::pair(patients.idEverUsed(3), patients.idEverUsed(6)),
              std::pair(Presence::kPresent, Presence::kAbsent));
}

TEST_F(PatientRegisterTest, TheHistoryIsReachedThroughTheListedStamps) {
    ASSERT_EQ(patients.add(patient(5, "見本 一郎")), DataResult::kDone);
    const std::string block = "1124017F1020" + std::string(4098, '$');
    EXPECT_EQ(patients.storeHistory(5, "short"), DataResult::kFailed);
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
    ASSERT_EQ(patients.storeHistory(5, block), DataResult::kDone);
    ASSERT_EQ(patients.historyEntries(5, entries), DataResult::kDone);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].slot + 10 * entries[1].slot, 1) << "newest first, with its slot";
    std::string text;
    ASSERT_EQ(patients.historyText(5, entries[1], text), DataResult::kDone);
    EXPECT_EQ(text, block);
    EXPECT_EQ(patients.historyText(5, {cp932("2000年01月01日 00:00:00"), 0}, text),
              DataResult::kNotFound);
    EXPECT_EQ(patients.historyText(5, {"not a stamp", 0}, text), DataResult::kNotFound);
    ASSERT_EQ(patients.deleteHistory(5, entries[0]), DataResult::kDone);
    EXPECT_EQ(patients.deleteHistory(5, entries[0]), DataResult::kNotFound);
}

TEST_F(PatientRegisterTest, AFailureIsNeverTakenForAMissingPatient) {
    std::filesystem::remove(databaseFolder() / "患者ファイル.mdb");
    std::string name;
    PatientRecord record{};
    std::vector<data::HistoryEntry> entries;
    int count = 0;
    EXPECT_EQ(patients.nameOf(12, name), DataResult::kFailed);
    EXPECT_EQ(patients.detail(12, record), DataResult::kFailed);
    EXPECT_EQ(patients.idInUse(12), Presence::kFailed);
    EXPECT_EQ(patients.idEverUsed(12), Presence::kFailed);
    EXPECT_EQ(patients.freeId(count), DataResult::kFailed);
    EXPECT_EQ(patients.leafletsUsing("1124017F1020", count), DataResult::kFailed);
    EXPECT_EQ(patients.historyEntries(12, entries), DataResult::kFailed);
    EXPECT_EQ(patients.storeHistory(12, std::string(4110, '$')), DataResult::kFailed);
    EXPECT_FALSE(messages.empty());
}

}  // namespace
