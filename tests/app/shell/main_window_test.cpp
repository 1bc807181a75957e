// The main window on the sample catalogue: settings kept, drugs deleted, found and shown, the
// print list, the comment, the menus, keys and tab order; nothing in the print list or the
// business data is lost without a question, and no command acts on a drug no longer shown.
#include <QAction>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTextEdit>
#include <functional>
#include <map>

#include "data/phrase_store.h"
#include "patientbase.h"
#include "shell_steps.h"
#include "sjis/sjis.h"
#include "stored_histories.h"

namespace {

class MainWindowTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
    }
    std::string selectedYjCode() {
        return window->drugList().row(window->selectedDrugRow()).yjcode;
    }
    void selectDrug(const char* yjcode) {
        window->selectDrugRow(window->drugList().findYjCode(yjcode));
    }
};

// The enabled state of each action of a pop-up menu, by text; the menu is closed afterwards.
std::map<QString, bool> menuItems(QWidget* popup) {
    std::map<QString, bool> items;
    for (QAction* a : popup->actions()) items[a->text()] = a->isEnabled();
    popup->close();
    return items;
}

TEST_F(MainWindowTest, StartsWithZeroSettingsAndKeepsWhatIsChangedAcrossARestart) {
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "not found");
    EXPECT_EQ(
        std::tuple(find<QRadioButton>("hospitalRadio")->isChecked(),
                   find<QRadioButton>("monochromeRadio")->isChecked(),
                   find<QComboBox>("orderList")->currentIndex(),
                   find<QComboBox>("pharmacistList")->isEnabled(),
                   find<QLineEdit>("pharmacyNameBox")->isEnabled(), window->drugList().count()),
        std::tuple(true, true, 0, false, false, 41));

    find<QRadioButton>("pharmacyRadio")->click();
    EXPECT_TRUE(find<QComboBox>("pharmacistList")->isEnabled());
    find<QRadioButton>("colourfulRadio")->click();
    auto* order = find<QComboBox>("orderList");
    order->setCurrentIndex(1);
    emit order->activated(1);
    EXPECT_EQ(window->drugList().row(0).code, "ACVO");  // ASCII codes before kana codes
    activate();
    auto* name = find<QLineEdit>("pharmacyNameBox");
    name->setFocus();
    type(name, "見本薬局");
    find<QLineEdit>("nameSearchBox")->setFocus();  // saved when the box is left after a change
    const settings::SettingsBlock saved = savedSettings();
    EXPECT_EQ(
        std::tuple(saved.businessType, saved.options[settings::kOptionPrintColour],
                   saved.options[settings::kOptionDrugListOrder], sjis::toUtf8(saved.pharmacyName)),
        std::tuple(1, 1, 1, "見本薬局"));

    name->setText("見本薬局二");  // not left: stored when the window closes
    window->close();
    window.reset();
    shell::shutDown();
    ASSERT_TRUE(start());
    EXPECT_EQ(std::tuple(text("pharmacyNameBox"), find<QComboBox>("orderList")->currentIndex(),
                         find<QRadioButton>("pharmacyRadio")->isChecked(),
                         window->drugList().row(0).code),
              std::tuple("見本薬局二", 1, true, "ACVO"));
}

// A supplied drug's refusal is checked through the drug list's menu below.
TEST_F(MainWindowTest, OnlyTheUsersOwnDrugsAreDeletedAfterTheQuestion) {
    DrugRecord mine{};
    sjis::copyField(mine.YJCODE, sizeof mine.YJCODE, "USER00000001");
    sjis::copyField(mine.PRODUCTNAME, sizeof mine.PRODUCTNAME, sjis::fromUtf8("自家製軟膏"));
    ASSERT_EQ(RecordCreate(&mine), 0);
    ASSERT_TRUE(window->loadDrugList());
    auto* deleteButton = find<QPushButton>("deleteDrugButton");
    deleteButton->click();
    EXPECT_EQ(prompts.shown.back().text, "薬剤リストから、削除する薬剤を選択して下さい。");

    const int count = window->drugList().count();
    selectDrug("USER00000001");
    prompts.yesNo = {false, true};
    deleteButton->click();  // answered No: nothing happens
    EXPECT_EQ(prompts.shown.back().text,
              "『 自家製軟膏 』 の薬剤項目をデータベース上から削除します。よろしいですか？");
    EXPECT_EQ(window->drugList().count(), count);
    registerPatient(8, "見本　八郎");  // two stored leaflets of the drug
    const std::string leaflet = "USER00000001" + std::string(4098, '$');
    for (int i = 0; i < 2; ++i) ASSERT_EQ(LRecordRIREKI(8, leaflet.c_str()), 0);
    deleteButton->click();
    EXPECT_EQ(prompts.shown.back().text,
              "この薬剤は保存された投薬履歴 2 件で使われています。削除すると、それらの投薬履歴"
              "からはこの薬剤を呼び出せません。\r\n"
              "『 自家製軟膏 』 の薬剤項目をデータベース上から削除します。よろしいですか？");
    EXPECT_EQ(window->drugList().count(), count - 1);
    EXPECT_EQ(RecordDetail(&mine, "USER00000001"), 1);
}

// The dialogs' own behaviour is tested with them; here the commands open them on the selected
// drug and the chosen drug comes back to the main window.
TEST_F(MainWindowTest, SameKindAndConditionSearchesApplyTheChosenDrug) {
    selectDrug("2171901F2M97");
    whenModal("searchResultsDialog", [&](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "countLine")->text(),
                  "全部で 3 件のデータがみつかりました。");
        child<QListWidget>(dialog, "resultList")->setCurrentRow(0);  // the panel follows
        EXPECT_EQ(text("productNameField"), "アムロジピン錠１０ｍｇ「サンプル」");
        child<QPushButton>(dialog, "chooseButton")->click();
    });
    find<QPushButton>("sameKindButton")->click();
    EXPECT_EQ(selectedYjCode(), "2171901F3S91");

    whenModal("drugSearchDialog", [&](QWidget* dialog) {
        auto* search = child<QPushButton>(dialog, "searchButton");
        auto* name = child<QLineEdit>(dialog, "productNamePart");
        auto* form = child<QComboBox>(dialog, "formList");
        search->click();  // every condition empty: no search, no message
        EXPECT_EQ(prompts.shown.size(), 1u);
        form->setCurrentIndex(3);  // 粉末: 散, 末 or 粒
        search->click();
        auto* list = child<QListWidget>(dialog, "resultList");
        EXPECT_EQ(list->count(), 3);
        name->setText("存在しない");
        search->click();
        EXPECT_EQ(prompts.shown.back().title, "検出なし");
        EXPECT_EQ(child<QLabel>(dialog, "countLine")->text(), "検索件数 0件");
        name->setText("ファモチジン");
        form->setCurrentIndex(0);
        search->click();
        list->setCurrentRow(1);
        child<QPushButton>(dialog, "chooseButton")->click();
    });
    activate();
    QTest::keyClick(find<QTableView>("drugList"), Qt::Key_F2);
    ASSERT_GE(window->selectedDrugRow(), 0);
    EXPECT_EQ(selectedYjCode(), "2325903F2M95");
}

TEST_F(MainWindowTest, CommentKeepsItsLineBreaksAndCloseKeepsTheOldComment) {
    const std::string kept = sjis::fromUtf8("一行目\r\n二行目\r\n三行目");
    for (const auto& [typed, button] :
         {std::pair{"一行目\n二行目\n三行目", "okButton"}, std::pair{"捨てる", "closeButton"}}) {
        whenModal("commentDialog", [typed, button](QWidget* dialog) {
            child<QTextEdit>(dialog, "commentBox")->setPlainText(typed);
            child<QPushButton>(dialog, button)->click();
        });
        find<QPushButton>("commentButton")->click();
        EXPECT_EQ(std::string(desk->settings.comment), kept) << button;
    }
    EXPECT_EQ(std::string(savedSettings().comment), kept);
}

TEST_F(MainWindowTest, PharmacyDialogRefusesAMisshapenFieldThenStoresThemAll) {
    whenModal("pharmacyDialog", [this](QWidget* dialog) {
        auto* prefecture = child<QLineEdit>(dialog, "prefectureEdit");
        child<QLineEdit>(dialog, "pharmacyNameEdit")->setText("さくら薬局");
        prefecture->setText("48");
        child<QLineEdit>(dialog, "institutionCodeEdit")->setText("1234567");
        child<QPushButton>(dialog, "okButton")->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(prompts.shown.back().text,
                  "都道府県番号は０１～４７の２桁の数字で入力して下さい。");
        // The dialog's focus widget, not hasFocus(): that also needs the window to be active,
        // which a busy machine may not have made it yet.
        EXPECT_EQ(dialog->focusWidget(), prefecture);
        prefecture->setText("13");
        child<QPushButton>(dialog, "okButton")->click();
    });
    find<QPushButton>("pharmacyInfoButton")->click();
    data::PharmacyFields stored;
    ASSERT_EQ(data::PhraseStore().readPharmacy(stored), data::DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(stored[0]) + stored[1] + stored[2], "さくら薬局131234567");
}

// Clearing the list forgets it too; that is the desk's own rule.
TEST_F(MainWindowTest, APrescriptionsInstitutionIsForgottenWhenThePrescriberIsChosenByHand) {
    desk->setPrescribedBy({sjis::fromUtf8("見本病院"), "13", 1, "1234567", "", ""});
    auto* box = find<QComboBox>("prescriberList");
    box->addItems({"見本　医師", "架空　医師"});
    box->setCurrentIndex(box->count() - 2);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(desk->prescribedBy(), leaflet::PrescribedBy{});
}

TEST_F(MainWindowTest, ThePrintListRemovesTheSelectedEntry) {
    const char* codes[] = {"2171901F3S91", "1149902F1T94", "2325903F2M95"};
    for (const char* code : codes) addEntry(code);
    auto* view = find<QTableView>("printList");

    auto* remove = find<QPushButton>("removeEntryButton");
    remove->click();  // nothing selected: nothing changes
    EXPECT_EQ(desk->printList().count(), 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    EXPECT_EQ(text("productNameField"), "アムロジピン錠１０ｍｇ「サンプル」");
    remove->click();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, {5, view->viewport()->height() - 5});
    EXPECT_TRUE(text("productNameField").isEmpty()) << "a click where no entry ends up selected";
    ASSERT_EQ(desk->printList().count(), 2);
    EXPECT_STREQ(desk->printList().entry(0).YJCODE, codes[1]);
}

TEST_F(MainWindowTest, TextBoxMenuOffersCopyOnlyWithASelectionAndDrugMenuActsAsTheButtons) {
    selectDrug("2171901F3S91");
    auto* box = find<QTextEdit>("efficacyBox");
    const auto editItems = [&] {
        std::map<QString, bool> items;
        whenPopup("editMenu", [&](QWidget* menu) { items = menuItems(menu); });
        emit box->customContextMenuRequested({5, 5});
        return std::tuple(items.at("コピー(&C)"), items.at("すべて選択(&A)"),
                          items.at("貼り付け(&P)"), items.at("切り取り(&T)"));
    };
    EXPECT_EQ(editItems(), std::tuple(false, true, false, false)) << "the box is read-only";
    box->selectAll();
    EXPECT_EQ(editItems(), std::tuple(true, true, false, false));

    // A right click selects the row under it; the menu's delete item refuses a supplied drug.
    auto* list = find<QTableView>("drugList");
    whenPopup("drugListMenu", [](QWidget* menu) {
        for (QAction* a : menu->actions())
            if (a->text() == "薬剤の削除(&D)") a->trigger();
        menu->close();
    });
    emit list->customContextMenuRequested(
        list->visualRect(window->drugList().index(2, 0)).center());
    EXPECT_EQ(window->selectedDrugRow(), 2);
    EXPECT_EQ(prompts.shown.back().title, "削除不可");
}

TEST_F(MainWindowTest, TypedOrCommittedTextSelectsTheFirstMatchingDrugAndShowsIt) {
    auto* names = searchName("あむろ");
    ASSERT_GE(window->selectedDrugRow(), 0);
    EXPECT_EQ(selectedYjCode(), "2171901F3S91");
    EXPECT_EQ(text("productNameField") + "|" + text("makerField") + "|" + text("formField"),
              "アムロジピン錠１０ｍｇ「サンプル」|サンプル製薬|錠");
    EXPECT_FALSE(find<QTextEdit>("efficacyBox")->toPlainText().isEmpty());

    // An input method's committed text is taken as typed; what it still converts is not.
    const auto commit = [](QWidget* box, const QString& preedit, const QString& committed) {
        box->setFocus();
        QInputMethodEvent composing(preedit, {});
        QApplication::sendEvent(box, &composing);
        QInputMethodEvent done;
        done.setCommitString(committed);
        QApplication::sendEvent(box, &done);
    };
    names->clear();
    commit(names, "ろきそ", "ろきそ");
    ASSERT_GE(window->selectedDrugRow(), 0);
    EXPECT_EQ(sjis::toUtf8(window->drugList().row(window->selectedDrugRow()).name).substr(0, 9),
              "ロキソ");
    EXPECT_EQ(names->text(), "ろきそ");
    auto* patient = find<QLineEdit>("patientNameBox");
    commit(patient, "やまだ", "山田　花子");
    EXPECT_EQ(patient->text(), "山田　花子");

    auto* codes = find<QLineEdit>("codeSearchBox");
    codes->setFocus();
    type(codes, "ABCDEFGHIJKLMNOPQRS");  // the box holds 16 bytes
    EXPECT_EQ(codes->text(), "ABCDEFGHIJKLMNOP");

    // A search without a match leaves no drug selected: no command acts on a hidden drug.
    for (QLineEdit* box : {names, codes}) {
        window->selectDrugRow(3);
        box->setText("ZZZ");
        EXPECT_EQ(window->selectedDrugRow(), -1) << box->objectName().toStdString();
    }
    find<QPushButton>("setDosageButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "薬剤リストから、用法を設定する薬剤を選択して下さい。");
}

TEST_F(MainWindowTest, TabGoesFromThePatientThroughBothListsToTheButtons) {
    std::vector<std::string> chain;
    QWidget* first = find<QLineEdit>("patientIdBox");
    for (QWidget* w = first; chain.empty() || w != first; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w->objectName().toStdString());
    auto at = chain.begin();
    for (const char* name : {"patientIdBox", "nameSearchBox", "drugList", "printList",
                             "removeEntryButton", "printButton", "efficacyBox", "prescriberList",
                             "editPharmacistsButton", "drugSearchButton", "helpButton"}) {
        at = std::find(at, chain.end(), name);
        ASSERT_NE(at, chain.end()) << name << " out of order";
    }
}

// The print list's commands and the list editors have Alt keys, shown on their buttons.
TEST_F(MainWindowTest, ThePrintListsCommandsAndTheListEditorsHaveKeysShownOnTheirButtons) {
    struct Case {
        const char* button;
        const char* text;
        Qt::Key key;
        const char* action;
    };
    const Case cases[] = {
        {"removeEntryButton", "削除(D)", Qt::Key_D, "actionRemoveEntry"},
        {"clearEntriesButton", "全て削除(A)", Qt::Key_A, "actionClearEntries"},
        {"changeDosageButton", "用法の変更(C)", Qt::Key_C, "actionChangeDosage"},
        {"saveHistoryButton", "薬歴に保存(S)", Qt::Key_S, "actionSaveHistory"},
        {"editPrescribersButton", "編集(P)", Qt::Key_P, "actionEditPrescribers"},
        {"editPharmacistsButton", "編集(K)", Qt::Key_K, "actionEditPharmacists"},
    };
    auto* list = find<QTableView>("drugList");
    list->setFocus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        EXPECT_EQ(find<QPushButton>(c.button)->text(), c.text);
        QSignalSpy triggered(find<QAction>(c.action), &QAction::triggered);
        activate();  // back from the editor
        if (c.key == Qt::Key_P || c.key == Qt::Key_K)
            whenModal("phraseEditor", [](QWidget* editor) { editor->close(); });
        QTest::keyClick(list, c.key, Qt::AltModifier);
        EXPECT_EQ(triggered.count(), 1);
    }
}

TEST_F(MainWindowTest, ACommandsButtonKeyAndMenuItemAreOneActionEnabledAsOne) {
    auto* setDosage = find<QAction>("actionSetDosage");
    auto* list = find<QTableView>("drugList");
    setDosage->setEnabled(false);
    EXPECT_FALSE(find<QPushButton>("setDosageButton")->isEnabled());
    std::map<QString, bool> items;
    whenPopup("drugListMenu", [&](QWidget* menu) { items = menuItems(menu); });
    emit list->customContextMenuRequested({5, 5});
    EXPECT_EQ(std::tuple(items.at("用法の設定(&Y)"), items.at("薬剤の詳細(&I)")),
              std::tuple(false, true));
    activate();                         // back from the menu: keys go to the active window only
    QTest::keyClick(list, Qt::Key_F4);  // the right click selected a drug
    EXPECT_EQ(window->dosageWindow(), nullptr) << "a disabled command's key does nothing";

    setDosage->setEnabled(true);
    EXPECT_TRUE(find<QPushButton>("setDosageButton")->isEnabled());
    QTest::keyClick(list, Qt::Key_F4);
    EXPECT_NE(window->dosageWindow(), nullptr);
}

TEST_F(MainWindowTest, EscapeLosesNothingAndClearingOrClosingAListAsksFirst) {
    find<QPushButton>("clearEntriesButton")->click();  // nothing to lose: no question
    addEntry("2171901F3S91");
    QTest::keyClick(find<QTableView>("drugList"), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(desk->printList().count(), 1);
    EXPECT_EQ(prompts.shown.size(), 1u) << "the start-up's notice only";
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
        prompts.yesNo = {false, true};
        c.act();
        const auto& asked = prompts.shown.back();
        EXPECT_EQ(std::tuple(asked.text, asked.title, asked.preset),
                  std::tuple(c.question, "確認", ui::Default::No));
        EXPECT_FALSE(c.done()) << "answered No";
        EXPECT_EQ(desk->printList().count(), 1);
        c.act();
        EXPECT_TRUE(c.done());
    }
}

TEST_F(MainWindowTest, AnEditedListKeepsThePersonChosenByName) {
    for (const auto& [button, listName] : {std::pair{"editPrescribersButton", "prescriberList"},
                                           std::pair{"editPharmacistsButton", "pharmacistList"}}) {
        SCOPED_TRACE(listName);
        editPhrases(button, "佐藤\n鈴木");
        auto* list = find<QComboBox>(listName);
        list->setCurrentIndex(1);
        emit list->activated(1);
        editPhrases(button, "田中\n\n佐藤\n鈴木");
        EXPECT_EQ(list->currentText(), "鈴木");
        EXPECT_EQ(list->itemText(1), "") << "an empty line is an empty item";
        const settings::SettingsBlock saved = savedSettings();
        EXPECT_EQ(std::string(listName) == "prescriberList" ? saved.prescriberIndex
                                                            : saved.pharmacistIndex,
                  3);
    }
}

}  // namespace
