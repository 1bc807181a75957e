// The patient screen as the operator uses it: opened with F1 from the main window, listing,
// searching as typed, deleting after the question, and the medication history recalled,
// deleted and moved into the print list.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "leaflet/history_text.h"
#include "patients/history_panel.h"
#include "patients_fixture.h"
#include "sample_photos.h"
#include "shell/patient_row.h"
#include "stored_histories.h"

namespace {

// A history text of `count` catalogue drugs: morning amount 2 and a half, then 1, 2, 3 ...
std::string historyOf(shell::MainWindow& window, int count,
                      leaflet::HistoryBlock* blockOut = nullptr) {
    leaflet::PrintList list;
    for (int i = 0; i < count; ++i) {
        DrugRecord entry{};
        const auto& drug = window.drugList().row(i % window.drugList().count());
        EXPECT_EQ(RecordDetail(&entry, drug.yjcode.c_str()), 0);
        leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
        dosage.timings[leaflet::kMorning] = static_cast<std::uint8_t>(i == 0 ? 102 : i % 4);
        sjis::copyField(dosage.daysText, sizeof dosage.daysText, std::to_string(i + 1) + "days");
        leaflet::setDosage(entry, dosage);
        list.append(entry, nullptr);
    }
    const leaflet::HistoryBlock block = leaflet::buildHistoryBlock(list.entries());
    if (blockOut) *blockOut = block;
    return leaflet::historyText(block);
}

TEST_F(PatientScreenTest, OpeningSelectsThePatientOfTheMainWindowAndItsDatesFollowTheKeys) {
    registerPatient(3, "見本　三郎");
    registerPatient(12, "見本　十二");
    registerPatient(120, "見本　百二十");
    // Two leaflets with one stamp, as older programs could store them.
    storeHistoryAt(12, historyOf(*window, 2), "2009-03-07 09:05:03");
    storeHistoryAt(12, historyOf(*window, 1), "2009-03-07 09:05:03");
    storeHistoryAt(120, historyOf(*window, 1), "2012-01-02 10:00:00");
    child<QLineEdit>(window.get(), "patientIdBox")->setText("12");

    ASSERT_TRUE(openScreen());
    EXPECT_EQ(column("patientList", 0), QStringList({"3", "12", "120"}));
    EXPECT_EQ(selectedId(), 12);
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "見本　十二");
    EXPECT_EQ(dates(), QStringList(2, "2009年03月07日 09:05:03"));
    EXPECT_TRUE(in<QLineEdit>("nameBox")->isReadOnly());
    in<QCheckBox>("saveHistoryBox")->click();
    EXPECT_EQ(savedSettings().saveHistory, 1) << "the history switch is saved at once";

    in<QPushButton>("deleteDateButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "上の投薬日リストから、削除する日時を選択して下さい。");
    in<QListWidget>("historyDateList")->setCurrentRow(0);
    EXPECT_EQ(column("recalledDrugList", 2), QStringList({"2.5", "1"}));
    EXPECT_EQ(column("recalledDrugList", 8), QStringList({"1days", "2days"}));
    in<QListWidget>("historyDateList")->setCurrentRow(1);  // each line its own leaflet
    EXPECT_EQ(column("recalledDrugList", 2), QStringList({"2.5"}));
    prompts.yesNo = {false};
    in<QPushButton>("deleteDateButton")->click();
    EXPECT_EQ(prompts.shown.back().title + prompts.shown.back().text,
              "削除確認投薬日時： 2009年03月07日 09:05:03 "
              "\r\n\r\n上記の投薬履歴を削除します。\r\nよろしいですか？");
    EXPECT_EQ(storedHistories(12).size(), 2u) << "No deletes nothing";
    prompts.yesNo = {true};
    in<QPushButton>("deleteDateButton")->click();
    EXPECT_EQ(storedHistories(12).size(), 1u);
    EXPECT_EQ(dates(), QStringList({"2009年03月07日 09:05:03"}));
    EXPECT_TRUE(column("recalledDrugList", 0).isEmpty());

    // The selected line was deleted, the other stays. Whatever key moves the row, the details
    // and dates follow and the recalled drugs go.
    in<QListWidget>("historyDateList")->setCurrentRow(0);
    ASSERT_EQ(column("recalledDrugList", 0).size(), 2);
    for (const auto& [key, id, name, shown] :
         {std::tuple{Qt::Key_Down, 120, "見本　百二十", QStringList{"2012年01月02日 10:00:00"}},
          {Qt::Key_Home, 3, "見本　三郎", QStringList{}},
          {Qt::Key_End, 120, "見本　百二十", QStringList{"2012年01月02日 10:00:00"}}}) {
        SCOPED_TRACE(name);
        QTest::keyClick(in<QTableView>("patientList"), key);
        EXPECT_EQ(selectedId() + desk->patient().id, 2 * id);
        EXPECT_EQ(in<QLineEdit>("nameBox")->text(), name);
        EXPECT_EQ(dates(), shown);
        EXPECT_TRUE(column("recalledDrugList", 0).isEmpty());
    }

    // A second F1 replaces the screen rather than adding one.
    QPointer<patients::PatientScreen> first = window->patientFile().screen();
    ASSERT_TRUE(openScreen());
    QApplication::processEvents();
    EXPECT_TRUE(first.isNull());
}

TEST_F(PatientScreenTest, SearchBoxesFindTheFirstRowDeletingAsksFirstAndActivationRelists) {
    registerPatient(2, "う　二");
    registerPatient(15, "あ　十五");
    registerPatient(1, "え　一");
    registerPatient(12, "い　十二");
    child<QLineEdit>(window.get(), "patientIdBox")->setText("1");
    ASSERT_TRUE(openScreen());
    EXPECT_EQ(selectedId(), 1) << "the main window's patient";
    type(in<QLineEdit>("idSearchBox"), "1");
    type(in<QLineEdit>("idSearchBox"), "2");
    EXPECT_EQ(selectedId(), 12);
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "い　十二");

    // In name order the first ID beginning with 1 is 15.
    auto* order = in<QComboBox>("orderBox");
    order->setCurrentIndex(1);
    emit order->activated(1);
    EXPECT_EQ(savedSettings().patientOrder, 1);
    EXPECT_EQ(column("patientList", 0), QStringList({"15", "12", "2", "1"}));
    in<QLineEdit>("idSearchBox")->clear();
    type(in<QLineEdit>("idSearchBox"), "1");
    EXPECT_EQ(selectedId(), 15);

    type(in<QLineEdit>("nameSearchBox"), "う");
    EXPECT_EQ(selectedId(), 2);
    QTest::keyClick(in<QLineEdit>("nameSearchBox"), Qt::Key_Backspace);
    EXPECT_EQ(selectedId(), 2) << "an emptied box keeps the selection";
    type(in<QLineEdit>("nameSearchBox"), "ん");
    EXPECT_EQ(selectedId(), 0);
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "う　二") << "details stay when nothing matches";

    // Deleting asks first and lists the rest in ID order.
    in<QPushButton>("deletePatientButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "左のリストから削除する患者を選択して下さい。");
    clickRow(1);  // 12 in name order
    ASSERT_EQ(selectedId(), 12);
    prompts.yesNo = {false};
    in<QPushButton>("deletePatientButton")->click();
    EXPECT_EQ(prompts.shown.back().title + prompts.shown.back().text,
              "削除の確認患者ID： 12 \r\n名前： い　十二 "
              "\r\n\r\n上記患者の項目を削除します。\r\nよろしいですか？");
    EXPECT_EQ(registry.idInUse(12), data::Presence::kPresent) << "No deletes nothing";
    prompts.yesNo = {true};
    in<QPushButton>("deletePatientButton")->click();
    EXPECT_EQ(registry.idInUse(12), data::Presence::kAbsent);
    EXPECT_EQ(column("patientList", 0), QStringList({"1", "2", "15"}));
    EXPECT_TRUE(in<QLineEdit>("nameBox")->text().isEmpty());

    // Activated again, the screen lists what changed elsewhere and keeps its current patient.
    clickRow(1);
    storeHistoryAt(2, historyOf(*window, 1), "2015-01-02 10:00:00");
    PatientRecord record{};
    record.ID = 2;
    sjis::copyField(record.PATIENT, sizeof record.PATIENT, sjis::fromUtf8("う　次"));
    ASSERT_EQ(registry.correct(record, 2), data::DataResult::kDone);
    ASSERT_EQ(registry.remove(1), data::DataResult::kDone);
    registerPatient(4, "お　四");
    QEvent activated(QEvent::WindowActivate);
    QApplication::sendEvent(window->patientFile().screen(), &activated);
    EXPECT_EQ(column("patientList", 1), QStringList({"う　次", "お　四", "あ　十五"}));
    EXPECT_EQ(selectedId(), 2);
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "う　次");
    EXPECT_EQ(dates(), QStringList{"2015年01月02日 10:00:00"});
    in<QListWidget>("historyDateList")->setCurrentRow(0);
    QApplication::sendEvent(window->patientFile().screen(), &activated);
    EXPECT_EQ(column("recalledDrugList", 0).size(), 1) << "the date chosen stays recalled";
    ASSERT_EQ(registry.remove(2), data::DataResult::kDone);
    QApplication::sendEvent(window->patientFile().screen(), &activated);
    EXPECT_EQ(window->patientFile().screen()->currentId(), 0);
    EXPECT_TRUE(in<QLineEdit>("nameBox")->text().isEmpty()) << "a deleted patient is not shown";
}

TEST_F(PatientScreenTest, ThirtyRecalledDrugsReplaceThePrintListWithTheirPhotos) {
    std::ostringstream out, err;
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    ASSERT_TRUE(data::DrugCatalogue().open(desk->databaseFolder));  // writing ended the session
    registerPatient(5, "見本　五郎");
    leaflet::HistoryBlock block{};
    storeHistoryAt(5, historyOf(*window, 30, &block), "2010-06-01 14:00:00");
    DrugRecord made{};
    ASSERT_EQ(RecordDetail(&made, window->drugList().row(0).yjcode.c_str()), 0);
    ASSERT_TRUE(desk->append(made, nullptr));  // an entry the operator made

    ASSERT_TRUE(openScreen());
    clickRow(0);
    press(Qt::Key_F5);
    EXPECT_EQ(prompts.shown.back().text, "投薬リストに転送するデータ項目がありません。");

    in<QListWidget>("historyDateList")->setCurrentRow(0);
    prompts.yesNo = {false};
    press(Qt::Key_F5);
    EXPECT_EQ(prompts.shown.back().title, "確認");
    EXPECT_EQ(desk->printList().count(), 1) << "No changes nothing";
    ASSERT_NE(window->patientFile().screen(), nullptr);

    prompts.yesNo = {true};
    press(Qt::Key_F5);
    ASSERT_EQ(desk->printList().count(), 30);
    const leaflet::HistoryBlock moved = leaflet::buildHistoryBlock(desk->printList().entries());
    EXPECT_EQ(std::memcmp(moved.data(), block.data(), sizeof block), 0) << "position for position";
    for (int i = 0; i < 30; ++i) EXPECT_EQ(desk->printList().entry(i).photoFlag, 1) << i;
    EXPECT_EQ(window->printListModel().rowCount(), 30);
    EXPECT_EQ(find<QLineEdit>("patientIdBox")->text() + find<QLineEdit>("patientNameBox")->text(),
              "5見本　五郎");
    QApplication::processEvents();
    EXPECT_EQ(window->patientFile().screen(), nullptr) << "the screen closed";
}

}  // namespace
