// The main window keeps the operator's work: nothing in the print list or the business data is
// lost without a question, and no command acts on a drug the operator no longer sees.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <functional>

#include "data/drug_catalogue.h"
#include "program_fixture.h"
#include "sjis/sjis.h"

namespace {

class DeskSafety : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
    }

    void addEntry(const char* yjcode) {
        DrugRecord entry{};
        ASSERT_EQ(data::DrugCatalogue().detail(yjcode, entry), data::DataResult::kDone);
        ASSERT_TRUE(desk->append(entry, nullptr));
    }

    QString panelName() { return find<QLineEdit>("productNameField")->text(); }
};

TEST_F(DeskSafety, EscapeLosesNothingAndClearingOrClosingAListAsksFirst) {
    const auto shown = prompts.shown.size();
    find<QPushButton>("clearEntriesButton")->click();  // nothing to lose: no question
    addEntry("2171901F3S91");
    QTest::keyClick(find<QTableView>("drugList"), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(desk->printList().count(), 1);
    EXPECT_EQ(prompts.shown.size(), shown);
    desk->clear();

    struct Case {
        const char* name;
        std::function<void()> act;
        const char* question;
        std::function<bool()> done;
    };
    const Case cases[] = {
        {"clear", [&] { find<QPushButton>("clearEntriesButton")->click(); },
         "印刷リストの薬剤をすべて削除します。\r\nよろしいですか？",
         [&] { return find<QTableView>("printList")->model()->rowCount() == 0; }},
        {"close", [&] { window->close(); }, "印刷リストに薬剤が残っています。\r\n終了しますか？",
         [&] { return !window->isVisible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addEntry("2171901F3S91");
        prompts.yesNo = {false};
        c.act();
        EXPECT_EQ(prompts.shown.back().text, c.question);
        EXPECT_EQ(prompts.shown.back().title, "確認");
        EXPECT_FALSE(c.done()) << "answered No";
        EXPECT_EQ(desk->printList().count(), 1);
        prompts.yesNo = {true};
        c.act();
        EXPECT_TRUE(c.done());
    }
}

TEST_F(DeskSafety, AnEditedListKeepsThePersonChosenByName) {
    const std::pair<const char*, const char*> lists[] = {
        {"editPrescribersButton", "prescriberList"}, {"editPharmacistsButton", "pharmacistList"}};
    for (const auto& [button, listName] : lists) {
        whenModal("phraseEditor", [](QWidget* editor) {
            editor->findChild<QPlainTextEdit*>("phraseText")->setPlainText("佐藤\n鈴木");
            editor->findChild<QPushButton*>("okButton")->click();
        });
        find<QPushButton>(button)->click();
        auto* list = find<QComboBox>(listName);
        list->setCurrentIndex(1);
        emit list->activated(1);

        whenModal("phraseEditor", [](QWidget* editor) {
            editor->findChild<QPlainTextEdit*>("phraseText")->setPlainText("田中\n\n佐藤\n鈴木");
            editor->findChild<QPushButton*>("okButton")->click();
        });
        find<QPushButton>(button)->click();
        EXPECT_EQ(list->currentText(), "鈴木") << listName;
        EXPECT_EQ(list->itemText(1), "") << "an empty line is an empty item";
        const settings::SettingsBlock saved = savedSettings();
        EXPECT_EQ(std::string(listName) == "prescriberList" ? saved.prescriberIndex
                                                            : saved.pharmacistIndex,
                  3)
            << listName;
    }
}

TEST_F(DeskSafety, AClickWhereNoEntryEndsUpSelectedEmptiesThePanel) {
    addEntry("2325903F2M95");
    auto* view = find<QTableView>("printList");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    EXPECT_FALSE(panelName().isEmpty());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      {5, view->viewport()->height() - 5});  // below the last entry
    EXPECT_TRUE(panelName().isEmpty());
}

TEST_F(DeskSafety, ASearchWithoutAMatchLeavesNoDrugSelected) {
    for (const char* boxName : {"nameSearchBox", "codeSearchBox"}) {
        window->selectDrugRow(3);
        auto* box = find<QLineEdit>(boxName);
        box->setText("ZZZ");
        EXPECT_EQ(window->selectedDrugRow(), -1) << boxName;
        box->clear();
    }
    find<QPushButton>("setDosageButton")->click();  // the command acts on no hidden drug
    EXPECT_EQ(prompts.shown.back().text, "薬剤リストから、用法を設定する薬剤を選択して下さい。");
}

}  // namespace
