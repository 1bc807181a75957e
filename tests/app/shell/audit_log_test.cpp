// The audit trail from the program: the pharmacist of the business panel named in the rows of a
// print and of a PDF file, and the 監査ログ window listing them with its filters.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include "program_fixture.h"

namespace {

class AuditLog : public ProgramTest {
  protected:
    // The rows the window lists after filtering, as "action patient pharmacist detail".
    static std::vector<std::string> listed(QWidget* dialog, const char* patient,
                                           const char* since) {
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
};

TEST_F(AuditLog, PrintAndPdfRowsNameThePharmacistAndTheWindowFiltersThem) {
    std::ostringstream out, err;
    ASSERT_EQ(admin::addPatient(dir.path(), "5", "見本　一郎", {}, out, err), 0) << err.str();
    ASSERT_TRUE(start());
    window->setPrintTarget(&jobs);
    whenModal("phraseEditor", [](QWidget* editor) {
        child<QPlainTextEdit>(editor, "phraseText")->setPlainText("山田　薬剤師");
        child<QPushButton>(editor, "okButton")->click();
    });
    find<QPushButton>("editPharmacistsButton")->click();
    find<QComboBox>("pharmacistList")->setCurrentIndex(0);
    activate();
    find<QLineEdit>("patientIdBox")->setFocus();
    find<QLineEdit>("patientIdBox")->setText("5");
    find<QLineEdit>("patientNameBox")->setFocus();
    ASSERT_EQ(find<QLineEdit>("patientNameBox")->text(), "見本　一郎");
    auto* nameBox = find<QLineEdit>("nameSearchBox");
    nameBox->setFocus();
    type(nameBox, "あむろ");
    setDosage({{"morningBox", "1"}});
    prompts.yesNo = {false};
    QTest::keyClick(nameBox, Qt::Key_F6);
    ASSERT_EQ(jobs.jobCount(), 1);
    prompts.files = {QString::fromStdString((jobsDir.path() / "leaflet.pdf").string())};
    whenModal("previewWindow", [](QWidget* preview) {
        preview->findChild<QPushButton*>("savePdfButton")->click();
        preview->findChild<QPushButton*>("closeButton")->click();
    });
    QTest::keyClick(nameBox, Qt::Key_F5);

    whenModal("auditLogDialog", [this](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "auditChainLabel")->text(),
                  "記録の改ざんは見つかりませんでした。");
        EXPECT_EQ(
            listed(dialog, "5", ""),
            (std::vector<std::string>{"患者の登録 5  ", "印刷 5 山田　薬剤師 1 drugs, 1 pages",
                                      "PDF保存 5 山田　薬剤師 1 drugs, 1 pages"}));
        EXPECT_TRUE(listed(dialog, "6", "").empty());
        EXPECT_TRUE(listed(dialog, "", "2999-01-01").empty());
        EXPECT_EQ(listed(dialog, "", QDate::currentDate().toString(Qt::ISODate).toUtf8()).size(),
                  5u)
            << "the catalogue's load and the pharmacist list's save too";
        prompts.shown.clear();
        listed(dialog, "", "2025/04/01");
        EXPECT_EQ(prompts.texts(),
                  std::vector<std::string>{
                      "患者IDは数字で、日付は 2025-04-01 のように年-月-日で入力して下さい。"});
        static_cast<QDialog*>(dialog)->reject();
    });
    find<QPushButton>("auditLogButton")->click();
}

}  // namespace
