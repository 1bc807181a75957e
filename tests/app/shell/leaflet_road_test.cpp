// The leaflet road through the program: find drugs, set their dosage, preview, print (to PDF
// files through the print-target seam), clear, and the medication history written on the way.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <cstdlib>
#include <filesystem>

#include "drugs/detail_panel.h"
#include "handbook_reading.h"
#include "leaflet/history_text.h"
#include "leaflet/print_entry.h"
#include "patientbase.h"
#include "pdf_reading.h"
#include "preview/print_target.h"
#include "program_fixture.h"
#include "shell/history_save.h"
#include "sjis/sjis.h"
#include "stored_histories.h"
#include "symbol_reading.h"

namespace {

constexpr int kPatientId = 5;
const char* const kPatientName = "見本　一郎";

// As pdfText gives texts back: without blanks (full-width ones too).
std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    for (std::size_t at; (at = text.find("　")) != std::string::npos;) text.erase(at, 3);
    return text;
}

class LeafletRoad : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
        registerPatient(kPatientId, kPatientName, 4, 5, 6, 7, 2);  // 平成5年6月7日, female
        desk->settings.saveHistory = 1;
        window->setPrintTarget(&jobs);
    }

    // Types the ID and leaves the box for the name box.
    void choosePatient(int id) {
        activate();
        auto* idBox = find<QLineEdit>("patientIdBox");
        idBox->setFocus();
        idBox->setText(QString::number(id));
        find<QLineEdit>("patientNameBox")->setFocus();
    }
};

TEST_F(LeafletRoad, FindSetDosagePreviewPrintAndClear) {
    whenModal("phraseEditor", [](QWidget* editor) {
        child<QPlainTextEdit>(editor, "phraseText")->setPlainText("佐藤　医師\n鈴木　医師");
        child<QPushButton>(editor, "okButton")->click();
    });
    find<QPushButton>("editPrescribersButton")->click();
    find<QComboBox>("prescriberList")->setCurrentIndex(1);
    choosePatient(kPatientId);
    ASSERT_EQ(find<QLineEdit>("patientNameBox")->text(), kPatientName);

    auto* nameBox = find<QLineEdit>("nameSearchBox");
    nameBox->setFocus();
    type(nameBox, "あむろ");
    QTest::keyClick(nameBox, Qt::Key_F4);
    window->dosageWindow()->findChild<QCheckBox*>("autoUsageCheck")->click();
    EXPECT_EQ(desk->settings.autoDosage, 1) << "stored at once";
    setDosage({{"morningBox", "1.5"}}, {"eveningSpin"});
    find<QLineEdit>("codeSearchBox")->setText("FAM20");
    setDosage({{"morningBox", "1"}});

    ASSERT_EQ(desk->printList().count(), 2);
    const DrugRecord first = desk->printList().entry(0);
    EXPECT_EQ(leaflet::field(first.YJCODE), "2171901F3S91");
    const leaflet::DosageSettings dosage = leaflet::dosageOf(first);
    EXPECT_EQ(std::tuple(dosage.timings[leaflet::kMorning], dosage.timings[leaflet::kEvening],
                         dosage.mealTiming),
              std::tuple(101, 1, leaflet::kAfterMeals));
    EXPECT_EQ(leaflet::field(desk->printList().entry(1).YJCODE), "2325903F2M95");
    EXPECT_TRUE(nameBox->text().isEmpty()) << "OK empties the search boxes";

    // From the preview: print, keep the list (No), close.
    prompts.yesNo = {false};
    whenModal("previewWindow", [](QWidget* preview) {
        EXPECT_EQ(preview->findChild<QLineEdit*>("pageText")->text(), " 1 / 1 ﾍﾟｰｼﾞ");
        preview->findChild<QPushButton*>("printButton")->click();
        preview->findChild<QPushButton*>("closeButton")->click();
    });
    QTest::keyClick(nameBox, Qt::Key_F5);
    ASSERT_EQ(jobs.jobCount(), 1);
    EXPECT_EQ(prompts.shown.back().title, "クリア確認");
    EXPECT_EQ(desk->printList().count(), 2) << "answered No";

    const std::string text = pdfText(jobs.jobPath(1).toStdString());
    EXPECT_NE(pdfInfo(jobs.jobPath(1).toStdString()).find("Title:ソラミド"), std::string::npos);
    EXPECT_NE(text.find(withoutBlanks(kPatientName)), std::string::npos) << text;
    EXPECT_NE(text.find("鈴木"), std::string::npos) << "the chosen prescriber";
    const std::string usage = withoutBlanks(sjis::toUtf8(leaflet::usageText(first)));
    EXPECT_FALSE(usage.empty()) << "composed by the automatic switch";
    EXPECT_NE(text.find(usage), std::string::npos) << usage;

    // The print went into the patient's history with the two drugs.
    const std::vector<std::string> stored = storedHistories(kPatientId);
    ASSERT_EQ(stored.size(), 1u);
    const leaflet::HistoryBlock block = leaflet::historyBlockFromText(stored.front());
    EXPECT_STREQ(block[1].yjcode, "2325903F2M95");
    EXPECT_EQ(block[2].yjcode[0], '\0');
}

TEST_F(LeafletRoad, ChecksComeFirstAndAHandTypedNamesLeafletIsPrintedButNotStored) {
    QTest::keyClick(find<QLineEdit>("nameSearchBox"), Qt::Key_F5);
    EXPECT_EQ(prompts.shown.back().text, "印刷リストに表示するデータ項目がありません。");
    find<QPushButton>("printButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "患者の名前を入力して下さい。");
    EXPECT_TRUE(find<QLineEdit>("patientNameBox")->hasFocus());
    find<QLineEdit>("patientNameBox")->setText("手入力　太郎");
    find<QPushButton>("printButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "印刷リストが空の状態です。");
    EXPECT_EQ(jobs.jobCount(), 0);

    find<QPushButton>("changeDosageButton")->click();
    EXPECT_EQ(prompts.shown.back().title, "項目選択");
    EXPECT_EQ(window->dosageWindow(), nullptr);

    // A leaflet for a hand-typed name is printed but not stored.

    choosePatient(kPatientId);  // the patient looked up last ...
    find<QLineEdit>("patientNameBox")
        ->setText("別の　患者");  // ... is not the one the leaflet is printed for
    window->selectDrugRow(window->drugList().findYjCode("2325903F2M95"));
    setDosage({{"morningBox", "1"}});
    prompts.yesNo = {false};
    find<QPushButton>("printButton")->click();
    EXPECT_EQ(jobs.jobCount(), 1) << "printing goes on";
    const auto texts = prompts.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), shell::kHistoryNotSavedText), texts.end());
    EXPECT_TRUE(storedHistories(kPatientId).empty());
}

TEST_F(LeafletRoad, SavingAloneStoresForTheRegisteredPatientWithTheSwitchOn) {
    struct Case {
        const char* name;
        int saveHistory;
        const char* typedName;  // over the looked-up name, or none
        std::vector<std::string> told;
        std::size_t stored;
    };
    const Case cases[] = {
        {"registered patient", 1, nullptr, {"薬歴に保存しました。"}, 1},
        {"switch off",
         0,
         nullptr,
         {"「投薬履歴を保存する」がオフのため、薬歴は保存されませんでした。\r\n"
          "患者ファイル(F1)の画面でオンにしてから保存して下さい。"},
         0},
        {"hand-typed name", 1, "別の　患者", {shell::kHistoryNotSavedText}, 0},
    };
    int id = kPatientId;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registerPatient(++id, kPatientName);
        desk->settings.saveHistory = c.saveHistory;
        desk->clear();  // each case is another patient's list
        choosePatient(id);
        window->selectDrugRow(0);
        setDosage({});
        if (c.typedName) find<QLineEdit>("patientNameBox")->setText(c.typedName);
        prompts.shown.clear();
        find<QPushButton>("saveHistoryButton")->click();
        EXPECT_EQ(prompts.texts(), c.told);
        EXPECT_EQ(storedHistories(id).size(), c.stored);
    }
    EXPECT_EQ(jobs.jobCount(), 0) << "saving does not print";
}

// Patient, drug, dosage, preview and print with keys alone, each sent where the focus is.
TEST_F(LeafletRoad, TheKeyboardAloneTakesALeafletFromThePatientToThePrinter) {
    activate();
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    ASSERT_EQ(QApplication::focusWidget(), find<QLineEdit>("patientIdBox")) << "where it opens";
    QTest::keyClicks(QApplication::focusWidget(), QString::number(kPatientId));
    for (int tabs = 0; QApplication::focusWidget()->objectName() != "drugList"; ++tabs) {
        ASSERT_LT(tabs, 6) << "the drug list is a few stops on";
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(find<QLineEdit>("patientNameBox")->text(), kPatientName);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    const std::string chosen = window->drugList().row(window->selectedDrugRow()).yjcode;
    EXPECT_EQ(window->detailPanel().shownCode(), chosen) << "the panel follows the arrows";
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "printList") << "the list is one stop";

    press(Qt::Key_F4);
    ASSERT_NE(window->dosageWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->dosageWindow()));
    press(Qt::Key_Return);  // OK
    ASSERT_EQ(desk->printList().count(), 1);
    EXPECT_EQ(leaflet::field(desk->printList().entry(0).YJCODE), chosen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    whenModal("previewWindow", [](QWidget* preview) { QTest::keyClick(preview, Qt::Key_Escape); });
    press(Qt::Key_F5);
    activate();              // back from the preview, as the window manager does
    prompts.yesNo = {true};  // Yes clears the patient and the list for the next one
    press(Qt::Key_F6);
    EXPECT_EQ(jobs.jobCount(), 1);
    EXPECT_EQ(desk->printList().count() + find<QTableView>("printList")->model()->rowCount(), 0);
    EXPECT_EQ(find<QLineEdit>("patientNameBox")->text() + find<QLineEdit>("patientIdBox")->text(),
              "");
}

TEST_F(LeafletRoad, WithoutADefaultPrinterNothingIsPrintedOrStored) {
    if (leaflet::SystemPrinter::available()) GTEST_SKIP() << "this machine has a printer";
    window->setPrintTarget(nullptr);
    choosePatient(kPatientId);
    window->selectDrugRow(0);
    setDosage({});
    find<QPushButton>("printButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "プリンターが設定されていません。");
    EXPECT_TRUE(storedHistories(kPatientId).empty());
    EXPECT_EQ(desk->printList().count(), 1);
}

TEST_F(LeafletRoad, TheHandbookSwitchPrintsTheRegisteredPatientsCodes) {
    find<QCheckBox>("handbookCodesCheck")->click();
    EXPECT_TRUE(settings::handbookCodesOn(savedSettings())) << "written at once";

    choosePatient(kPatientId);
    auto* nameBox = find<QLineEdit>("nameSearchBox");
    nameBox->setFocus();
    type(nameBox, "あむろ");
    setDosage({{"morningBox", "1"}, {"eveningBox", "1"}});
    prompts.yesNo = {false};
    activate();
    QTest::keyClick(nameBox, Qt::Key_F6);
    ASSERT_EQ(jobs.jobCount(), 1);

    const auto symbols = decodeSymbols(pdfPageImages(jobs.jobPath(1).toStdString()));
    ASSERT_EQ(symbols.size(), 1u);
    const ReadDispensing read = readDispensing(symbols[0].bytes);
    EXPECT_EQ(std::tuple(sjis::toUtf8(read.patient), read.sex, read.birth),
              std::tuple(kPatientName, "2", "19930607"));
    EXPECT_EQ(read.drugs.size(), 1u);
}

}  // namespace
