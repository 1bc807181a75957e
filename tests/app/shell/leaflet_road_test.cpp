// The leaflet road through the program: find drugs, set their dosage, preview, print (to PDF
// files through the print-target seam), clear, the medication history and the audit trail
// written on the way.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

#include "drugs/detail_panel.h"
#include "handbook_reading.h"
#include "leaflet/history_text.h"
#include "leaflet/print_entry.h"
#include "pdf_reading.h"
#include "shell/history_save.h"
#include "shell_steps.h"
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

// The rows the audit window lists after filtering, as "action patient pharmacist detail".
std::vector<std::string> audited(QWidget* dialog, const char* patient, const QString& since) {
    child<QLineEdit>(dialog, "auditPatientBox")->setText(patient);
    child<QLineEdit>(dialog, "auditSinceBox")->setText(since);
    child<QPushButton>(dialog, "auditShowButton")->click();
    auto* table = child<QTableWidget>(dialog, "auditTable");
    std::vector<std::string> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        std::string row;
        for (int column : {4, 5, 3, 6})
            row += (row.empty() ? "" : " ") + table->item(r, column)->text().toStdString();
        rows.push_back(row);
    }
    return rows;
}

class LeafletRoad : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
        registerPatient(kPatientId, kPatientName, 4, 5, 6, 7, 2);  // 平成5年6月7日, female
        desk->settings.saveHistory = 1;
        window->setPrintTarget(&jobs);
    }
};

TEST_F(LeafletRoad, FindSetDosagePreviewPrintSaveAndAudit) {
    editPhrases("editPrescribersButton", "佐藤　医師\n鈴木　医師");
    find<QComboBox>("prescriberList")->setCurrentIndex(1);
    editPhrases("editPharmacistsButton", "山田　薬剤師");
    find<QComboBox>("pharmacistList")->setCurrentIndex(0);
    find<QCheckBox>("handbookCodesCheck")->click();
    EXPECT_TRUE(settings::handbookCodesOn(savedSettings())) << "written at once";
    enterPatientId(QString::number(kPatientId));
    ASSERT_EQ(text("patientNameBox"), kPatientName);

    auto* nameBox = searchName("あむろ");
    QTest::keyClick(nameBox, Qt::Key_F4);
    window->dosageWindow()->findChild<QCheckBox*>("autoUsageCheck")->click();
    EXPECT_EQ(desk->settings.autoDosage, 1) << "stored at once";
    setDosage({{"morningBox", "1.5"}}, {"eveningSpin"});
    find<QLineEdit>("codeSearchBox")->setText("FAM20");
    setDosage({{"morningBox", "1"}});
    ASSERT_EQ(desk->printList().count(), 2);
    const DrugRecord first = desk->printList().entry(0);
    EXPECT_EQ(leaflet::field(first.YJCODE), "2171901F3S91");
    EXPECT_EQ(leaflet::field(desk->printList().entry(1).YJCODE), "2325903F2M95");
    EXPECT_TRUE(nameBox->text().isEmpty()) << "OK empties the search boxes";

    // From the preview: print, keep the list (No), save a PDF, close.
    prompts.yesNo = {false};
    prompts.files = {QString::fromStdString((jobsDir.path() / "leaflet.pdf").string())};
    whenModal("previewWindow", [](QWidget* preview) {
        EXPECT_EQ(child<QLineEdit>(preview, "pageText")->text(), " 1 / 1 ﾍﾟｰｼﾞ");
        for (const char* button : {"printButton", "savePdfButton", "closeButton"})
            child<QPushButton>(preview, button)->click();
    });
    QTest::keyClick(nameBox, Qt::Key_F5);
    ASSERT_EQ(jobs.jobCount(), 1);
    const auto asked =
        std::ranges::find(prompts.shown, std::string("クリア確認"), &ScriptedPrompts::Shown::title);
    ASSERT_NE(asked, prompts.shown.end());
    EXPECT_EQ(asked->preset, ui::Default::No);
    EXPECT_EQ(desk->printList().count(), 2) << "answered No";

    const std::string pdf = jobs.jobPath(1).toStdString(), text = pdfText(pdf);
    EXPECT_NE(text.find(withoutBlanks(kPatientName)), std::string::npos) << text;
    EXPECT_NE(text.find("鈴木"), std::string::npos) << "the chosen prescriber";
    const std::string usage = withoutBlanks(sjis::toUtf8(leaflet::usageText(first)));
    EXPECT_FALSE(usage.empty()) << "composed by the automatic switch";
    EXPECT_NE(text.find(usage), std::string::npos) << usage;
    const auto symbols = decodeSymbols(pdfPageImages(pdf));
    ASSERT_EQ(symbols.size(), 1u) << "the e-handbook codes of the registered patient";
    const ReadDispensing read = readDispensing(symbols[0].bytes);
    EXPECT_EQ(std::tuple(sjis::toUtf8(read.patient), read.sex, read.birth, read.drugs.size()),
              std::tuple(kPatientName, "2", "19930607", 2u));

    // The print went into the patient's history with the two drugs.
    const std::vector<std::string> stored = storedHistories(kPatientId);
    ASSERT_EQ(stored.size(), 1u);
    const leaflet::HistoryBlock block = leaflet::historyBlockFromText(stored.front());
    EXPECT_STREQ(block[1].yjcode, "2325903F2M95");
    EXPECT_EQ(block[2].yjcode[0], '\0');

    // The print and the PDF name the pharmacist in the audit trail, which the window filters.
    whenModal("auditLogDialog", [this](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "auditChainLabel")->text(),
                  "記録の改ざんは見つかりませんでした。");
        std::vector<std::string> rows = audited(dialog, "5", "");
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_TRUE(rows[1].starts_with("薬歴の保存 5 山田　薬剤師 ")) << rows[1];
        rows.erase(rows.begin() + 1);  // its detail holds the time of the save
        EXPECT_EQ(rows, (std::vector<std::string>{"患者の登録 5  ",
                                                  "印刷 5 山田　薬剤師 2 drugs, 1 pages",
                                                  "PDF保存 5 山田　薬剤師 2 drugs, 1 pages"}));
        EXPECT_TRUE(audited(dialog, "6", "").empty());
        EXPECT_TRUE(audited(dialog, "", "2999-01-01").empty());
        const auto today = audited(dialog, "", QDate::currentDate().toString(Qt::ISODate));
        EXPECT_EQ(today, audited(dialog, "", ""));
        for (const std::string kind : {"薬剤の読込 ", "リストの保存 "})  // the catalogue, a list
            EXPECT_TRUE(std::ranges::any_of(today, [&](const auto& r) {
                return r.starts_with(kind);
            })) << kind;
        prompts.shown.clear();
        audited(dialog, "", "2025/04/01");
        EXPECT_EQ(prompts.texts(),
                  std::vector<std::string>{
                      "患者IDは数字で、日付は 2025-04-01 のように年-月-日で入力して下さい。"});
        static_cast<QDialog*>(dialog)->reject();
    });
    find<QPushButton>("auditLogButton")->click();
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
    find<QPushButton>("changeDosageButton")->click();
    EXPECT_EQ(prompts.shown.back().title, "項目選択");
    EXPECT_EQ(window->dosageWindow(), nullptr);
    EXPECT_EQ(jobs.jobCount(), 0);

    enterPatientId(QString::number(kPatientId));  // the patient looked up last is not the one
    find<QLineEdit>("patientNameBox")->setText("別の　患者");  // the leaflet is printed for
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
        std::string told;
        std::size_t stored;
    };
    const Case cases[] = {
        {"registered patient", 1, nullptr, "薬歴に保存しました。", 1},
        {"switch off", 0, nullptr,
         "「投薬履歴を保存する」がオフのため、薬歴は保存されませんでした。\r\n"
         "患者ファイル(F1)の画面でオンにしてから保存して下さい。",
         0},
        {"hand-typed name", 1, "別の　患者", shell::kHistoryNotSavedText, 0},
    };
    int id = kPatientId;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registerPatient(++id, kPatientName);
        desk->settings.saveHistory = c.saveHistory;
        desk->clear();  // each case is another patient's list
        enterPatientId(QString::number(id));
        window->selectDrugRow(0);
        setDosage({});
        if (c.typedName) find<QLineEdit>("patientNameBox")->setText(c.typedName);
        prompts.shown.clear();
        find<QPushButton>("saveHistoryButton")->click();
        EXPECT_EQ(prompts.texts(), std::vector{c.told});
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
    EXPECT_EQ(text("patientNameBox"), kPatientName);
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
    EXPECT_EQ(text("patientNameBox") + text("patientIdBox"), "");
}

TEST_F(LeafletRoad, WithoutADefaultPrinterNothingIsPrintedOrStored) {
    if (leaflet::SystemPrinter::available()) GTEST_SKIP() << "this machine has a printer";
    window->setPrintTarget(nullptr);
    enterPatientId(QString::number(kPatientId));
    window->selectDrugRow(0);
    setDosage({});
    find<QPushButton>("printButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "プリンターが設定されていません。");
    EXPECT_TRUE(storedHistories(kPatientId).empty());
    EXPECT_EQ(desk->printList().count(), 1);
}

}  // namespace
