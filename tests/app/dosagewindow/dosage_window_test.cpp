// The dosage window on real widgets, driven through its controls, with a stand-in main window,
// and the amount a typed timing text confirms.
#include "dosagewindow/dosage_window.h"
#include "dosagewindow/timing_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <memory>

#include "dosage_fixture.h"
#include "entry_builder.h"
#include "leaflet/leaflet_messages.h"

namespace {

using dosage::DosageWindow;
using dosage::DrugReload;
using Mode = DosageWindow::Mode;
using namespace leaflet;

QImage photoOf(QColor colour) {
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// What the main window would do, recorded.
class FakeHost : public dosage::DosageHost {
  public:
    int selected = -1;
    DrugReload reload = DrugReload::kNoSelection;
    DrugRecord reloaded{};
    bool autoOn = false;
    int calls = 0;  // search box clears and stored entries

    int firstSelectedEntry() const override { return selected; }
    DrugReload reloadSelectedDrug(DrugRecord& record, QImage&) override {
        if (reload == DrugReload::kReloaded) record = reloaded;
        return reload;
    }
    void clearSearchBoxes() override { ++calls; }
    void entryStored() override { ++calls; }
    bool autoUsage() const override { return autoOn; }
    void setAutoUsage(bool on) override { autoOn = on; }
};

class DosageWindowTest : public PhraseStoreTest {
  protected:
    DrugRecord tablet = EntryBuilder().yjcode("T1").name("テスト錠").form("錠").build();

    void open(Mode mode, const DrugRecord& drug, const QImage& photo = QImage()) {
        desk.phrases = tables;
        window = std::make_unique<DosageWindow>(desk, host, mode, drug, photo, nullptr);
        window->show();
    }
    template <class W>
    W* find(const char* name) {
        return child<W>(window.get(), name);
    }
    void setText(const char* box, const char* text) {
        auto* edit = find<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QString text(const char* name) {
        QWidget* w = find<QWidget>(name);
        if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
        return qobject_cast<QLineEdit*>(w)->text();
    }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    std::vector<int> timingsAt(int position) {
        const DosageSettings d = dosageOf(desk.printList().entry(position));
        return {std::begin(d.timings), std::end(d.timings)};
    }
    std::string lastMessage() { return prompts.shown.empty() ? "" : prompts.shown.back().text; }
    QSpinBox* spin(const char* name) { return find<QSpinBox>(name); }

    desk::Desk desk{prompts};
    FakeHost host;
    std::unique_ptr<DosageWindow> window;
};

TEST(ConfirmedAmount, HalvesAreHundredPlusWholesStayAndTheRestKeepsTheSpin) {
    // Each typed text and the amount it confirms with the spin at 9.
    const std::pair<const char*, int> cases[] = {
        {"0.5", 100}, {"50.5", 150}, {"51.5", 9}, {".5", 9}, {"0.0", 9}, {" 2", 2},
        {"50", 50},   {"51", 9},     {"0", 9},    {"", 9},   {"x.5", 9}};
    for (const auto& [text, amount] : cases)
        EXPECT_EQ(dosage::confirmedAmount(text, 9), amount) << text;
}

// Without the automatic usage the texts are stored as typed and the entry follows the spins.
TEST_F(DosageWindowTest, TypedAmountsAndTextsAreStoredWithHalvesAsHundredPlus) {
    DrugRecord drug = tablet;
    drug.photoFlag = 1;
    open(Mode::kNewEntry, drug, photoOf(Qt::red));
    type(find<QComboBox>("usageCombo")->lineEdit(), "朝と夕に服用");
    type(find<QComboBox>("amountCombo")->lineEdit(), "用量　１回２錠");
    for (int step : {1, 2, 3}) spin("morningSpin")->setValue(step);
    EXPECT_EQ(dosageOf(window->currentEntry()).timings[kMorning], 3) << "the entry follows";
    setText("morningBox", "1.5");
    spin("bedtimeSpin")->setValue(3);
    setText("bedtimeBox", "0");  // 0 leaves the spin's position
    setText("wakingBox", "12.5");
    EXPECT_EQ(text("wakingBox"), "12.") << "three characters at most";
    find<QComboBox>("daysCombo")->setCurrentIndex(3);  // chosen, where the amount was typed
    click("okButton");

    ASSERT_EQ(desk.printList().count(), 1);
    const DrugRecord& entry = desk.printList().entry(0);
    EXPECT_EQ(timingsAt(0), (std::vector<int>{12, 101, 0, 0, 3}));
    EXPECT_EQ(std::tuple(int(dosageOf(entry).mealTiming), int(dosageOf(entry).amountListPosition),
                         int(dosageOf(entry).daysListPosition)),
              std::tuple(kAfterMeals, 0xFF, 3));
    EXPECT_EQ(sjis::toUtf8(std::string(usageText(entry)) + "|" + std::string(amountText(entry))),
              "朝と夕に服用|用量　１回２錠");
    EXPECT_EQ(desk.printList().photo(0).pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(host.calls, 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DosageWindowTest, SpinsButtonsAndTypedAmountsComposeTheTextsWhileAutomatic) {
    host.autoOn = true;
    open(Mode::kNewEntry, tablet);
    spin("morningSpin")->setValue(2);
    EXPECT_EQ(text("morningBox") + text("amountCombo"), " 2用量　１回２錠");
    click("plusMorningNoonEvening");
    find<QComboBox>("mealTimingList")->setCurrentIndex(kBeforeMeals);
    EXPECT_EQ(text("usageCombo"), "１日３回  毎食前に服用");
    spin("noonSpin")->setValue(-1);
    EXPECT_EQ(lastMessage(), "薬剤数は0より下にできません。");
    EXPECT_EQ(spin("noonSpin")->value(), 0);
    find<QCheckBox>("autoUsageCheck")->click();
    EXPECT_FALSE(host.autoOn);

    // Typed amounts compose as the spins do, on leaving the box or on OK.
    host.autoOn = true;
    open(Mode::kNewEntry, tablet);
    setText("eveningBox", "1");
    emit find<QLineEdit>("eveningBox")->editingFinished();
    EXPECT_EQ(text("usageCombo"), "１日１回  夕食後に服用");
    setText("morningBox", "1.5");
    click("okButton");
    ASSERT_EQ(desk.printList().count(), 1);
    EXPECT_EQ(sjis::toUtf8(usageText(desk.printList().entry(0))), "１日２回  朝夕食後に服用")
        << "the printed usage agrees with the amounts beside it";
}

TEST_F(DosageWindowTest, FormsNotTakenByMouthGetNoTimings) {
    open(Mode::kNewEntry, EntryBuilder().yjcode("O1").form("軟膏・硬膏").build());
    spin("morningSpin")->setValue(1);
    EXPECT_EQ(spin("morningSpin")->value(), 0);
    EXPECT_NE(lastMessage().find("「軟膏・硬膏」"), std::string::npos);
    setText("noonBox", "2");
    click("okButton");
    EXPECT_EQ(prompts.shown.size(), 2u) << "refused with a timing";
    EXPECT_TRUE(window->isVisible());

    setText("noonBox", "0");
    QLineEdit* usage = find<QComboBox>("usageCombo")->lineEdit();
    usage->setText("１日２回患部に塗布");
    QTest::keyClick(usage, Qt::Key_Return);
    ASSERT_EQ(desk.printList().count(), 1);
    EXPECT_EQ(sjis::toUtf8(usageText(desk.printList().entry(0))), "１日２回患部に塗布");
}

TEST_F(DosageWindowTest, ChangeModeWritesBackToItsOwnEntryWithItsOwnPhoto) {
    const QImage blue = photoOf(Qt::blue);
    desk.append(EntryBuilder().yjcode("A1").build(), nullptr);
    desk.append(EntryBuilder()
                    .yjcode("B2")
                    .name("乙")
                    .form("錠")
                    .timings({0, 101, 0, 2, 0})
                    .meal(kBeforeMeals)
                    .days("７日分")
                    .build(),
                &blue);
    host.selected = 1;
    host.reload = DrugReload::kReloaded;  // another drug is selected in the drug list
    host.reloaded = tablet;
    open(Mode::kChange, tablet, photoOf(Qt::green));
    EXPECT_EQ(find<QLabel>("drugNameLabel")->text() + text("morningBox") + text("mealTimingList") +
                  text("daysCombo"),
              "『 乙 』1.5食前７日分");
    setText("eveningBox", "3");
    host.selected = 0;  // the selection moved meanwhile
    click("okButton");
    EXPECT_EQ(timingsAt(1), (std::vector<int>{0, 101, 0, 3, 0}));
    EXPECT_EQ(field(desk.printList().entry(1).YJCODE), "B2");
    EXPECT_EQ(desk.printList().photo(1).pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(timingsAt(0), (std::vector<int>{0, 0, 0, 0, 0}));

    // The entry went away while the window was open: nothing is written.
    host.selected = 1;
    open(Mode::kChange, tablet);
    desk.remove(0);
    click("okButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(timingsAt(0), (std::vector<int>{0, 101, 0, 3, 0}));
}

TEST_F(DosageWindowTest, AFullListSaysSoAndTakesNoMore) {
    for (int i = 0; i < PrintList::kCapacity; ++i) desk.append(tablet, nullptr);
    open(Mode::kNewEntry, tablet);
    click("okButton");
    EXPECT_EQ(lastMessage(), kPrintListFull.text);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DosageWindowTest, ApplyingAnEntrysDosageComposesTheAmountForThisDrug) {
    open(Mode::kNewEntry, tablet);
    click("applyFromListButton");
    EXPECT_EQ(lastMessage(), "印刷リストにデータ項目がありません。");
    desk.append(EntryBuilder()
                    .yjcode("S1")
                    .form("散")
                    .timings({0, 1, 0, 1, 0})
                    .meal(kBeforeMeals)
                    .usage("朝夕")
                    .days("１４日分")
                    .build(),
                nullptr);
    desk.append(EntryBuilder().yjcode("S2").timings({0, 100, 0, 0, 0}).build(), nullptr);
    click("applyFromListButton");
    EXPECT_EQ(lastMessage(), "印刷リスト内の薬剤項目を選択して下さい。");

    host.selected = 0;
    host.reload = DrugReload::kReloaded;
    host.reloaded = EntryBuilder().yjcode("C1").name("丙").form("カプセル").build();
    click("applyFromListButton");
    EXPECT_EQ(text("eveningBox") + text("mealTimingList") + text("usageCombo") + text("daysCombo"),
              " 1食前朝夕１４日分");
    EXPECT_EQ(text("amountCombo"), "用量　１回１カプセル") << "the form of this drug";
    host.selected = 1;
    click("applyFromListButton");
    click("okButton");
    EXPECT_EQ(field(desk.printList().entry(2).YJCODE), "C1");
    EXPECT_EQ(timingsAt(2), (std::vector<int>{0, 100, 0, 0, 0}));
}

TEST_F(DosageWindowTest, TextBoxesHoldTheirFieldsInCp932BytesAndEditorsRefillThem) {
    const QString longPhrase(40, QChar(u'服'));
    sjis::copyField(tables[dosage::kUsagePhrases].data(), DOSAGEBASE_SLOT_SIZE,
                    sjis::fromUtf8(longPhrase.toStdString()));
    open(Mode::kNewEntry, tablet);
    // A chosen phrase longer than the usage field shows as much of it as the field holds.
    QTest::keyClick(find<QComboBox>("usageCombo"), Qt::Key_Down);
    EXPECT_EQ(text("usageCombo"), longPhrase.left(30));
    find<QComboBox>("usageCombo")->setEditText("");
    for (const auto& [combo, fullWidth] :
         {std::pair{"usageCombo", 30}, {"amountCombo", 10}, {"daysCombo", 10}}) {
        type(find<QComboBox>(combo)->lineEdit(), QString(fullWidth, QChar(u'錠')) + "錠1");
        EXPECT_EQ(text(combo), QString(fullWidth, QChar(u'錠'))) << combo;
    }

    // The edit buttons refill their combo only when the editor is confirmed.
    auto* days = find<QComboBox>("daysCombo");
    const int items = days->count();
    const dosage::PhraseTable before = stored(dosage::kDaysPhrases);
    for (const char* button : {"cancelButton", "okButton"}) {
        whenModal("phraseEditor", [button](QWidget* editor) {
            editor->findChild<QPlainTextEdit*>("phraseText")->setPlainText("３日分\n\n５日分");
            editor->findChild<QPushButton*>(button)->click();
        });
        click("editDaysButton");
        const bool confirmed = button == std::string("okButton");
        EXPECT_EQ(days->count(), confirmed ? 4 : items) << button;
        EXPECT_EQ(stored(dosage::kDaysPhrases) == before, !confirmed) << button;
    }
    EXPECT_EQ(days->itemText(3), "５日分");
}

}  // namespace
