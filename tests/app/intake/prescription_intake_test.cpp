// The prescription intake driven through the main window: a code pasted or received from a
// serial scanner (a pseudo-terminal here), read and shown, and put into the print list, with
// the patient found or registered and the prescriber question.
#include <gmock/gmock.h>

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>

#include "data/patient_register.h"
#include "intake/intake_dialog.h"
#include "intake/intake_patient.h"
#include "intake/serial_scanner.h"
#include "leaflet/print_entry.h"
#include "patientbase.h"
#include "program_fixture.h"
#include "qr_image.h"
#include "sample_codes.h"
#include "shell/prescription_command.h"
#include "sjis/sjis.h"
#include "stored_histories.h"
#include "ui/window_placement.h"

namespace {

constexpr const char* kCode = samples::kHanakoCode;
const char* const kPrescriber = "見本クリニック　見本　医師";

class PrescriptionIntake : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
    }

    // Opens the dialog with F7 and pastes `code`.
    intake::IntakeDialog* openWith(const QString& code) {
        QTest::keyClick(window.get(), Qt::Key_F7);
        intake::IntakeDialog* dialog = window->prescription().dialog();
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return nullptr;
        child<QPlainTextEdit>(dialog, "codeText")->setPlainText(code);
        child<QPushButton>(dialog, "readButton")->click();
        return dialog;
    }

    std::string prescriberShown() {
        return find<QComboBox>("prescriberList")->currentText().toStdString();
    }
};

TEST_F(PrescriptionIntake, PastedCodeGoesIntoThePrintListWithItsPatientAndPrescriber) {
    registerPatient(3, "見本　花子", 4, 1, 1, 8);  // the same name born a day later
    registerPatient(7, "見本 花子", 3, 64, 1, 7);
    intake::IntakeDialog* dialog = openWith(kCode);
    ASSERT_NE(dialog, nullptr);
    const QRect workArea(0, 0, 1366, 728);  // a task bar of 40 pixels below
    ui::placeWithin(dialog, intake::IntakeDialog::kPreferredSize, workArea);
    dialog->layout()->activate();
    EXPECT_EQ(dialog->size(), intake::IntakeDialog::kPreferredSize);
    EXPECT_TRUE(workArea.contains(dialog->frameGeometry()));
    auto* add = child<QPushButton>(dialog, "addButton");
    EXPECT_TRUE(dialog->rect().contains(QRect(add->mapTo(dialog, QPoint()), add->size())));
    auto* view = child<QTreeWidget>(dialog, "prescriptionView");
    const auto shown = view->findItems("架空薬", Qt::MatchContains | Qt::MatchRecursive);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_NE(shown[0]->text(1).indexOf("未照合"), -1) << "listed as left out";
    // The pharmacist chooses the product of the general-name code.
    auto* candidates = child<QComboBox>(dialog, "candidateList2");
    ASSERT_EQ(candidates->count(), 3);
    candidates->setCurrentIndex(2);
    // The drug the catalogue lacks by that name is found by name in the window, with the main
    // window's search and keys, and then picked again from the main window's drug list.
    view->setCurrentItem(shown[0]);
    auto* name = child<QLineEdit>(dialog, "findNameBox");
    name->setFocus();
    type(name, "あむろ");
    QTest::keyClick(name, Qt::Key_Down);
    QTest::keyClick(name, Qt::Key_Up);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(shown[0]->text(1), "手動選択：アムロジピン錠１０ｍｇ「サンプル」");
    EXPECT_TRUE(dialog->isVisible()) << "Enter chose the drug and did not close the window";
    for (int row = 0; row < window->drugList().count(); ++row) {
        if (window->drugList().row(row).yjcode == "3332912F1S92") window->selectDrugRow(row);
    }
    child<QPushButton>(dialog, "pickButton")->click();

    // Meanwhile another terminal stores a prescriber of its own, which must stay.
    dosage::PhraseTable other{};
    sjis::copyField(other.data(), DOSAGEBASE_SLOT_SIZE, sjis::fromUtf8("他端末　医師"));
    ASSERT_EQ(DRecordDocument(other.data(), dosage::kPrescribers), 0);
    prompts.yesNo = {true};  // add the prescriber to the list
    child<QPushButton>(dialog, "addButton")->click();
    ASSERT_EQ(desk->printList().count(), 3);
    std::vector<std::string_view> codes;
    for (const DrugRecord& e : desk->printList().entries())
        codes.push_back(leaflet::field(e.YJCODE));
    EXPECT_EQ(codes,
              (std::vector<std::string_view>{"2325903F2M95", "2171901F2S93", "3332912F1S92"}));
    const leaflet::DosageSettings dosage = leaflet::dosageOf(desk->printList().entry(0));
    EXPECT_EQ(std::tuple(dosage.timings[leaflet::kMorning], dosage.timings[leaflet::kNoon],
                         dosage.timings[leaflet::kEvening], dosage.mealTiming),
              std::tuple(1, 0, 1, leaflet::kAfterMeals));
    EXPECT_EQ(window->printListModel().rowCount(), 3) << "the view shows the entries";
    const auto& prescribed = desk->printList().prescribed()[0];
    ASSERT_TRUE(prescribed) << "the code's amount kept for the handbook";
    EXPECT_EQ(std::tuple(prescribed->amount, sjis::toUtf8(prescribed->unit), prescribed->form),
              std::tuple("2", "錠", std::optional(ehandbook::FormCode::kInternal)));

    EXPECT_EQ(find<QLineEdit>("patientIdBox")->text(), "7") << "found by name and birth date";
    EXPECT_EQ(desk->patient().id, 7);
    EXPECT_EQ(prescriberShown(), kPrescriber);
    const leaflet::PrescribedBy& by = desk->prescribedBy();
    EXPECT_EQ(std::tuple(sjis::toUtf8(by.institution), by.prefecture, by.feeTable, by.code,
                         sjis::toUtf8(by.doctor), sjis::toUtf8(by.department)),
              std::tuple("見本クリニック", "13", 1, "1234567", "見本　医師", "内科"))
        << "kept for the handbook codes";
    std::vector<std::string> items;
    for (const std::string& item : dosage::phraseItems(desk->phrases[dosage::kPrescribers]))
        items.push_back(sjis::toUtf8(item));
    EXPECT_EQ(items, (std::vector<std::string>{"他端末　医師", kPrescriber}))
        << "added to the list as stored now";
}

TEST_F(PrescriptionIntake, UnknownPatientIsRegisteredFromThePrefilledDialog) {
    intake::IntakeDialog* dialog = openWith(kCode);
    ASSERT_NE(dialog, nullptr);
    whenModal("patientInfoDialog", [](QWidget* info) {
        EXPECT_EQ(info->findChild<QLineEdit*>("idBox")->text(), "1");
        EXPECT_EQ(info->findChild<QLineEdit*>("nameBox")->text(), "見本　花子");
        EXPECT_EQ(info->findChild<QLineEdit*>("readingBox")->text(), "みほん　はなこ");
        info->findChild<QPushButton*>("okButton")->click();
    });
    prompts.yesNo = {false};  // the prescriber only for this leaflet
    child<QPushButton>(dialog, "addButton")->click();

    PatientRecord stored{};
    ASSERT_EQ(data::PatientRegister().detail(1, stored), data::DataResult::kDone);
    EXPECT_EQ(std::tuple(stored.SEX, stored.NENGO, stored.YEAR, stored.DAY),
              std::tuple(2, 3, 64, 7));
    EXPECT_EQ(find<QLineEdit>("patientIdBox")->text() + find<QLineEdit>("patientNameBox")->text(),
              "1見本　花子");

    EXPECT_EQ(prescriberShown(), kPrescriber) << "chosen for this leaflet";
    EXPECT_EQ(desk->printList().count(), 1) << "the unmatched and the unchosen drug left out";
    for (const std::string& item : dosage::phraseItems(desk->phrases[dosage::kPrescribers]))
        EXPECT_NE(sjis::toUtf8(item), kPrescriber) << "not added without a Yes";
}

// A refused text changes nothing. Two registered people who share name and birth date: the
// drugs go in, the patient is left for the pharmacist to choose rather than guessed.
TEST_F(PrescriptionIntake, RefusedTextChangesNothingAndTwinPatientsAreNotGuessed) {
    registerPatient(7, "見本 花子", 3, 64, 1, 7);
    registerPatient(9, "見本　花子", 3, 64, 1, 7);
    QString code = kCode;
    code.replace("201,1,1,1,4,2325903F2M95,ファモチジン錠２０ｍｇ「見本」,2,",
                 "201,9,1,1,4,2325903F2M95,ファモチジン錠２０ｍｇ「見本」,2,");
    intake::IntakeDialog* dialog = openWith(code);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(child<QLabel>(dialog, "readError")->text().indexOf("11行目"), -1);
    child<QPushButton>(dialog, "addButton")->click();
    EXPECT_NE(prompts.shown.back().text.find("11行目"), std::string::npos);
    EXPECT_TRUE(desk->printList().empty() && find<QLineEdit>("patientIdBox")->text().isEmpty());

    // A drug whose amounts contradict each other is shown in red with the reason and stays out
    // of the print list while the others go in; a potency amount's unit says so for the handbook.
    QString checked = QString(kCode) + "241,1,1,2,2\n";
    checked.replace("アムロジピン錠５ｍｇ,2,1,", "アムロジピン錠５ｍｇ,2,2,");  // in potency units
    child<QPlainTextEdit>(dialog, "codeText")->setPlainText(checked);
    child<QPushButton>(dialog, "readButton")->click();
    auto* view = child<QTreeWidget>(dialog, "prescriptionView");
    const auto rows = view->findItems("ファモチジン", Qt::MatchContains | Qt::MatchRecursive);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0]->text(1).startsWith("要確認"));
    EXPECT_EQ(rows[0]->foreground(0).color(), QColor(Qt::red));
    EXPECT_EQ(rows[0]->toolTip(1), "１回服用量（2）の１日2回分が１日量（2）と合いません。");
    EXPECT_EQ(rows[0]->checkState(0), Qt::Unchecked);
    child<QComboBox>(dialog, "candidateList2")->setCurrentIndex(2);
    prompts.yesNo = {false};  // the prescriber stays off the list
    child<QPushButton>(dialog, "addButton")->click();
    ASSERT_EQ(desk->printList().count(), 1);
    EXPECT_EQ(leaflet::field(desk->printList().entry(0).YJCODE), "2171901F2S93");
    ASSERT_TRUE(desk->printList().prescribed()[0]);
    EXPECT_EQ(sjis::toUtf8(desk->printList().prescribed()[0]->unit), "錠（力価）");
    EXPECT_TRUE(find<QLineEdit>("patientIdBox")->text().isEmpty());
    EXPECT_THAT(prompts.texts(), testing::Contains(testing::HasSubstr("患者ＩＤ 7、9")));
}

// The code read from a picture of its symbol; the print list has room for one drug only.
TEST_F(PrescriptionIntake, PictureCodeFillsTheLastPlaceAndTellsWhatIsLeftOut) {
    const QString file = QString::fromStdString((dir.path() / "処方箋.png").string());
    ASSERT_TRUE(qrtest::oneSymbol(samples::asCode(kCode)).save(file));

    DrugRecord other{};
    sjis::copyField(other.YJCODE, sizeof other.YJCODE, "2171901F3S91");
    for (int i = 0; i < leaflet::PrintList::kCapacity - 1; ++i) desk->append(other, nullptr);
    intake::IntakeDialog* dialog = openWith("");
    ASSERT_NE(dialog, nullptr);
    prompts.files = {file};
    child<QPushButton>(dialog, "imageButton")->click();
    EXPECT_TRUE(
        child<QPlainTextEdit>(dialog, "codeText")->toPlainText().contains("見本クリニック"));
    child<QComboBox>(dialog, "candidateList2")->setCurrentIndex(1);

    whenModal("patientInfoDialog",
              [](QWidget* info) { info->findChild<QPushButton*>("cancelButton")->click(); });
    prompts.yesNo = {false};
    child<QPushButton>(dialog, "addButton")->click();
    ASSERT_EQ(desk->printList().count(), leaflet::PrintList::kCapacity);
    EXPECT_EQ(leaflet::field(desk->printList().entry(29).YJCODE), "2325903F2M95");
    EXPECT_THAT(prompts.shown, testing::Contains(testing::AllOf(
                                   testing::Field(&ScriptedPrompts::Shown::title, "規定数オーバー"),
                                   testing::Field(&ScriptedPrompts::Shown::text,
                                                  "一度に印刷できる薬剤の数は30迄です。"))));
    EXPECT_TRUE(find<QLineEdit>("patientIdBox")->text().isEmpty()) << "registration cancelled";
}

// A serial-type scanner stands in as a pseudo-terminal: the dialog reads the slave side, the
// test writes CP932 bytes to the master, a symbol ending in the EOF byte and one ending when
// the line goes quiet.
TEST_F(PrescriptionIntake, SerialScannerSymbolsAreAppendedToTheText) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    intake::IntakeDialog* dialog = openWith("");
    ASSERT_NE(dialog, nullptr);
    child<QComboBox>(dialog, "serialPort")->setCurrentText(ptsname(master));
    auto* baudRate = child<QComboBox>(dialog, "serialBaudRate");
    baudRate->setCurrentIndex(baudRate->findData(115200));
    child<QPushButton>(dialog, "serialButton")->click();
    ASSERT_EQ(child<QPushButton>(dialog, "serialButton")->text(), "切断") << prompts.texts().back();
    EXPECT_FALSE(baudRate->isEnabled()) << "the line settings are fixed while connected";
    {
        // The chosen speed reached the line: the terminal settings are the slave side's own.
        const int slave = open(ptsname(master), O_RDONLY | O_NOCTTY);
        ASSERT_GE(slave, 0);
        termios line{};
        ASSERT_EQ(tcgetattr(slave, &line), 0);
        EXPECT_EQ(cfgetispeed(&line), speed_t(B115200));
        close(slave);
    }

    const std::string code = samples::asCode(kCode);
    const std::size_t half = code.find("101,");
    const std::string first = code.substr(0, half) + '\x1A', second = code.substr(half);
    ASSERT_EQ(write(master, first.data(), first.size()), ssize_t(first.size()));
    auto* text = child<QPlainTextEdit>(dialog, "codeText");
    // QTRY_VERIFY would return unnoticed by GoogleTest on a timeout; qWaitFor reports it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return text->toPlainText().contains("見本クリニック"); }));
    ASSERT_EQ(write(master, second.data(), second.size()), ssize_t(second.size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text->toPlainText().contains("架空薬錠"); }));
    EXPECT_FALSE(text->toPlainText().contains(QChar(0x1A)));
    auto* view = child<QTreeWidget>(dialog, "prescriptionView");
    EXPECT_EQ(view->findItems("ファモチジン", Qt::MatchContains | Qt::MatchRecursive).size(), 1);
    // A symbol that would make the joined text larger than any prescription (here by the line
    // end before it) is dropped, as is one the scanner dropped; the text and its reading stay.
    auto* scanner = dialog->findChild<intake::SerialScanner*>();
    ASSERT_NE(scanner, nullptr);
    const QString joined = text->toPlainText();
    emit scanner->symbolRead(QString(intake::kMostSymbolBytes - joined.size(), 'x'));
    EXPECT_EQ(text->toPlainText(), joined);
    const QString dropped = "スキャナから処方箋より大きいデータが届いたため、読まずに捨てました。";
    EXPECT_EQ(child<QLabel>(dialog, "readError")->text(), dropped);
    const QString port = QString::fromLocal8Bit(ptsname(master));
    QPointer<intake::IntakeDialog> closed = dialog;
    dialog->close();
    close(master);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(closed.isNull());

    // The next opening offers the port and speed this terminal connected with.
    activate();
    intake::IntakeDialog* again = openWith("");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(child<QComboBox>(again, "serialPort")->currentText(), port);
    EXPECT_EQ(child<QComboBox>(again, "serialBaudRate")->currentData().toInt(), 115200);
    again->close();
}

TEST(IntakePatient, BirthDatesFallIntoTheirEras) {
    using prescription::PartialDate;
    const auto era = [](int y, int m, int d) {
        const era::EraYear e = intake::eraYearOf(PartialDate{y, m, d});
        return std::pair{e.code, e.year};
    };
    EXPECT_EQ(std::vector({era(2019, 5, 0), era(1960, 0, 0), era(0, 0, 0)}),
              std::vector({std::pair(5, 1), std::pair(3, 35), std::pair(0, 0)}))
        << "a year or month alone counts from its first day";
}

}  // namespace
