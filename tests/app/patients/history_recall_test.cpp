// A recalled leaflet moved into the print list when one of its drugs has left the catalogue.
#include "patients/history_recall.h"
#include "data/drug_catalogue.h"
#include "leaflet/history_block.h"
#include "leaflet/history_text.h"
#include "program_fixture.h"
#include "stored_histories.h"

namespace {

using HistoryRecallTest = ProgramTest;

TEST_F(HistoryRecallTest, ADrugGoneFromTheCatalogueIsNamedAndTheOthersMove) {
    ASSERT_TRUE(start());
    std::vector<DrugRecord> entries(4);
    ASSERT_EQ(RecordDetail(&entries[0], "2171901F2S93"), 0);
    sjis::copyField(entries[1].YJCODE, sizeof entries[1].YJCODE, "USER00000009");  // deleted
    ASSERT_EQ(RecordDetail(&entries[2], "1149902F1T94"), 0);
    sjis::copyField(entries[3].YJCODE, sizeof entries[3].YJCODE, "USER00000010");
    registerPatient(5, "見本　五郎");
    const data::PatientRegister patients;
    ASSERT_EQ(patients.storeHistory(5, leaflet::historyText(leaflet::buildHistoryBlock(entries))),
              data::DataResult::kDone);
    std::vector<data::HistoryEntry> stamps;
    ASSERT_EQ(patients.historyEntries(5, stamps), data::DataResult::kDone);

    const data::DrugCatalogue catalogue;
    patients::HistoryRecall recall(patients, catalogue, dir.path());
    ASSERT_TRUE(recall.recall(5, stamps.at(0)));
    EXPECT_EQ(sjis::toUtf8(recall.drugs().entry(1).PRODUCTNAME),
              "（薬剤データベースにありません）USER00000009");
    prompts.shown.clear();
    ASSERT_TRUE(recall.transferTo(*desk));
    ASSERT_EQ(desk->printList().count(), 2);
    EXPECT_STREQ(desk->printList().entry(1).YJCODE, "1149902F1T94");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown.back().text,
              "次の薬剤は薬剤データベースに登録されていないため、印刷リストに移しませんでした。"
              "他の薬剤は移しました。\r\nYJコード：USER00000009、USER00000010");
}

}  // namespace
