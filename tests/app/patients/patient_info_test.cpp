// Registering and correcting patients through "患者情報": the proposed ID, the ID rules and
// their messages in order, and the patient screen brought up to date afterwards.
#include <QClipboard>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <map>

#include "patients/patient_form.h"
#include "patients_fixture.h"

namespace {

// Fills the dialog's boxes that `fields` names, then presses OK.
void fillAndConfirm(QWidget* dialog, const std::map<const char*, QString>& fields) {
    for (const auto& [name, text] : fields) child<QLineEdit>(dialog, name)->setText(text);
    child<QPushButton>(dialog, "okButton")->click();
}

TEST_F(PatientScreenTest, RegisteringProposesAnUnusedIdAndKeepsTheIdRulesInOrder) {
    registerPatient(2, "二");
    registerPatient(6, "六");
    ASSERT_EQ(registry.remove(6), data::DataResult::kDone);
    ASSERT_TRUE(openScreen());
    prompts.shown.clear();
    prompts.yesNo = {false, true};  // an earlier patient's ID: not at first, then yes
    std::vector<std::string> refusals;
    whenModal("patientInfoDialog", [&](QWidget* d) {
        EXPECT_EQ(child<QLineEdit>(d, "idBox")->text(), "7") << "above every used ID";
        fillAndConfirm(d, {{"idBox", ""}});
        fillAndConfirm(d, {{"idBox", "0"}});
        fillAndConfirm(d, {{"idBox", "1"}});
        fillAndConfirm(d, {{"idBox", "6"}, {"nameBox", "重複"}});
        fillAndConfirm(d, {{"idBox", "2"}});
        refusals = prompts.texts();
        EXPECT_EQ(prompts.shown.back().title, "ＩＤ重複");
        child<QRadioButton>(d, "reiwaButton")->click();
        child<QRadioButton>(d, "femaleButton")->click();
        // The history boxes: Tab leaves them; a paste too long is refused with a message naming
        // the box and its field's 249 bytes; typing stops there.
        auto* address = child<QPlainTextEdit>(d, "addressBox");
        auto* allergy = child<QPlainTextEdit>(d, "allergyBox");
        EXPECT_TRUE(activate(d));
        address->setFocus();
        QTest::keyClick(address, Qt::Key_Tab);
        EXPECT_TRUE(address->toPlainText().isEmpty()) << "Tab is no text";
        EXPECT_EQ(QApplication::focusWidget(), allergy);
        QApplication::clipboard()->setText(QString(320, 'x'));
        allergy->paste();
        EXPECT_EQ(prompts.shown.back().text,
                  "アレルギー歴は全角124文字（半角249文字）まで入力できます。");
        type(allergy, QString(124, QChar(u'卵')) + "xy");
        fillAndConfirm(d, {{"idBox", "6"},
                           {"nameBox", "令和　花子"},
                           {"readingBox", "れいわ　はなこ"},
                           {"yearBox", "2"},
                           {"monthBox", "5"},
                           {"dayBox", ""}});
    });
    in<QPushButton>("registerButton")->click();
    EXPECT_EQ(std::vector(refusals.begin(), refusals.end() - 1),
              (std::vector<std::string>{"患者のＩＤ番号を入力して下さい。",
                                        "ＩＤ番号は正の整数でお願いします",
                                        "患者の名前を入力して下さい。",
                                        "ＩＤ番号 6 は、以前に削除またはＩＤ変更された患者に使わ"
                                        "れていた番号です。\r\n以前に印刷した説明書やお薬手帳のコ"
                                        "ードが、この番号で前の患者を指している場合があります。"
                                        "\r\n\r\nこのＩＤ番号を使いますか？"}));
    EXPECT_EQ(prompts.shown.back().title, "ＩＤ使用歴");
    PatientRecord stored{};
    ASSERT_EQ(registry.detail(6, stored), data::DataResult::kDone);
    EXPECT_EQ(std::tuple(stored.NENGO, stored.SEX, stored.DAY, sjis::toUtf8(stored.MEMO)),
              std::tuple(5, 2, 0, "れいわ　はなこ"))
        << "the reading is kept as the memo";
    EXPECT_EQ(sjis::toUtf8(stored.ALLERGY), QString(124, QChar(u'卵')).toStdString() + "x");
    std::string name;
    EXPECT_TRUE(registry.nameOf(2, name) == data::DataResult::kDone && name == sjis::fromUtf8("二"))
        << "a taken ID is not overwritten";
    EXPECT_EQ(selectedId(), 6);
    EXPECT_TRUE(in<QRadioButton>("reiwaButton")->isChecked()) << "令和 shown on the screen";
    EXPECT_EQ(in<QLineEdit>("yearBox")->text(), "2");
    EXPECT_TRUE(in<QLineEdit>("dayBox")->text().isEmpty());
}

TEST_F(PatientScreenTest, CorrectingRenamesInPlaceOrMovesThePatientWithItsHistory) {
    PatientRecord three{};
    three.ID = 3;
    sjis::copyField(three.PATIENT, sizeof three.PATIENT, sjis::fromUtf8("い　三"));
    sjis::copyField(three.MEMO, sizeof three.MEMO, sjis::fromUtf8("いさん"));
    ASSERT_EQ(LRecordCreate(&three), 0);
    registerPatient(7, "あ　七");
    ASSERT_TRUE(registry.storeHistory(3, std::string(4110, 'x')) == data::DataResult::kDone);
    desk->settings.patientOrder = 1;
    ASSERT_TRUE(openScreen());
    EXPECT_EQ(in<QComboBox>("orderBox")->currentIndex(), 1);
    in<QPushButton>("correctButton")->click();

    EXPECT_EQ(prompts.shown.back().text, "左のリストから情報を訂正する患者を選択して下さい。");

    clickRow(0);  // 3 is first by name: it has a reading
    ASSERT_EQ(selectedId(), 3);
    whenModal("patientInfoDialog", [&](QWidget* d) {
        EXPECT_EQ(child<QLineEdit>(d, "nameBox")->text(), "い　三");
        auto* memo = child<QPlainTextEdit>(d, "memoBox");
        EXPECT_TRUE(memo->isHidden());
        EXPECT_EQ(memo->toPlainText(), "いさん") << "the hidden box shows the memo";
        memo->setPlainText("never stored");
        fillAndConfirm(d, {{"nameBox", "う　三"}, {"readingBox", "うさん"}});
    });
    press(Qt::Key_F4);
    EXPECT_EQ(column("patientList", 1), QStringList({"う　三", "あ　七"}))
        << "the row is renamed where it stands";
    PatientRecord corrected{};
    ASSERT_EQ(registry.detail(3, corrected), data::DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(corrected.MEMO), "うさん") << "the memo comes from the reading box";
    EXPECT_TRUE(in<QPlainTextEdit>("memoBox")->toPlainText().isEmpty())
        << "the screen's memo box is never filled";

    whenModal("patientInfoDialog", [&](QWidget* d) {
        fillAndConfirm(d, {{"idBox", "7"}});
        EXPECT_EQ(prompts.shown.back().title, "ＩＤ重複");
        fillAndConfirm(d, {{"idBox", "9"}});
    });
    press(Qt::Key_F4);
    EXPECT_EQ(column("patientList", 0), QStringList({"7", "9"})) << "listed again in ID order";
    EXPECT_EQ(selectedId(), 9);
    EXPECT_EQ(std::pair(storedHistories(9).size(), storedHistories(3).size()),
              std::pair(std::size_t{1}, std::size_t{0}))
        << "the history moved with the patient";
    EXPECT_EQ(desk->patient().id, 9);
}

TEST(LeadingNumber, TakesTheLeadingDigitsOnly) {
    const std::pair<const char*, int> cases[] = {
        {"12ab", 12}, {" 7", 7}, {"x1", 0}, {"99999999999", INT32_MAX}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(patients::leadingNumber(text), number) << text;
}

}  // namespace
