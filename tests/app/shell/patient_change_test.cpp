// Each road that puts another patient into the main window asks first while the print list holds
// someone else's drugs; kept, the boxes show the list's patient again. An unknown ID keeps the
// typed name; the registered patient's allergies stand under the row.
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <functional>

#include "intake/intake_dialog.h"
#include "patientbase.h"
#include "patients/patient_screen.h"
#include "sample_codes.h"
#include "shell/patient_file_command.h"
#include "shell/prescription_command.h"
#include "shell_steps.h"
#include "sjis/sjis.h"
#include "stored_histories.h"

namespace {

class PatientChange : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
        registerPatient(7, "見本 花子", 3, 64, 1, 7);
        registerPatient(12, "別の 患者");
    }
    void applyOnScreen() {
        QTest::keyClick(window.get(), Qt::Key_F1);
        QWidget* screen = window->patientFile().screen();
        ASSERT_NE(screen, nullptr);
        auto* list = child<QTableView>(screen, "patientList");
        for (int r = 0; r < list->model()->rowCount(); ++r)
            if (list->model()->index(r, 0).data().toString() == "7") list->selectRow(r);
        child<QPushButton>(screen, "applyButton")->click();
        EXPECT_TRUE(screen->isVisible()) << "kept open on the patient refused";
        screen->close();
    }
    void readPrescription() {
        QTest::keyClick(window.get(), Qt::Key_F7);
        QWidget* dialog = window->prescription().dialog();
        ASSERT_NE(dialog, nullptr);
        child<QPlainTextEdit>(dialog, "codeText")->setPlainText(samples::kHanakoCode);
        child<QPushButton>(dialog, "readButton")->click();
        child<QPushButton>(dialog, "addButton")->click();
        EXPECT_TRUE(dialog->isVisible()) << "nothing added";
        dialog->close();
    }
};

TEST_F(PatientChange, EveryRoadAsksAndKeepsTheListsPatientWhenTold) {
    struct Case {
        const char* name;
        std::function<void()> road;
    };
    const Case cases[] = {
        {"ID typed", [this] { enterPatientId("7"); }},
        {"patient screen", [this] { applyOnScreen(); }},
        {"prescription read", [this] { readPrescription(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enterPatientId("12");
        addEntry("2171901F3S91");
        prompts.shown.clear();
        prompts.yesNo = {false};
        c.road();
        ASSERT_EQ(prompts.texts(),
                  std::vector<std::string>{"印刷リストには別の 患者様の薬剤が入っています。\r\n"
                                           "印刷リストを空にして、患者を切り替えますか？"});
        EXPECT_EQ(desk->printList().count(), 1);
        EXPECT_EQ(text("patientIdBox") + text("patientNameBox"), "12別の 患者");
        desk->clear();
    }
    find<QLineEdit>("patientNameBox")->setText("手入力 太郎");
    enterPatientId("99");  // unknown: the typed name and the patient stay
    EXPECT_EQ(text("patientNameBox"), "手入力 太郎");
    EXPECT_EQ(desk->patient().id, 12);
}

}  // namespace

TEST_F(PatientChange, TheAppliedPatientsAllergiesAndSideEffectsStandInRedUnderTheRow) {
    struct Case {
        const char* name;
        int id;
        std::string allergy, effect;
        QString full;  // the tooltip, and the line unless cut; empty: no line
    };
    const std::string wide(120, 'x');
    const Case cases[] = {
        {"both", 20, "卵\r\nそば", "ペニシリンで発疹",
         "アレルギー歴：卵 そば ／ 副作用歴：ペニシリンで発疹"},
        {"side effects only", 21, "", "めまい", "副作用歴：めまい"},
        {"none", 22, "", "", ""},
        {"too wide, cut", 23, wide, "", QString::fromStdString("アレルギー歴：" + wide)},
    };
    auto* line = find<QLabel>("patientAlerts");
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::red));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatientRecord patient{};
        patient.ID = c.id;
        for (const auto& [field, size, value] :
             {std::tuple{patient.PATIENT, sizeof patient.PATIENT, std::string("見本 三郎")},
              std::tuple{patient.ALLERGY, sizeof patient.ALLERGY, c.allergy},
              std::tuple{patient.EFFECT, sizeof patient.EFFECT, c.effect}})
            sjis::copyField(field, size, sjis::fromUtf8(value));
        ASSERT_EQ(LRecordCreate(&patient), 0);
        enterPatientId(QString::number(c.id));
        EXPECT_EQ(std::tuple(line->isVisible(), line->toolTip()),
                  std::tuple(!c.full.isEmpty(), c.full));
        EXPECT_EQ(line->text() == c.full, c.id != 23) << "only the too wide text is cut";
    }
    EXPECT_TRUE(line->text().endsWith("…")) << "cut to the line";
    find<QLineEdit>("patientNameBox")->setText("手入力 花子");
    EXPECT_FALSE(line->isVisible()) << "a name typed over the registered one";
}
