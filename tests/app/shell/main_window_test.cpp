#include <QAction>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <map>

#include "drugbase.h"
#include "drugs/detail_panel.h"
#include "patientbase.h"
#include "program_fixture.h"
#include "sample_photos.h"
#include "shell/small_dialogs.h"
#include "sjis/sjis.h"
#include "stored_histories.h"

namespace {

QString field(shell::MainWindow& w, const char* name) {
    return w.findChild<QLineEdit*>(name)->text();
}

}  // namespace

TEST_F(ProgramTest, StartsWithZeroSettingsWhenTheFileIsMissing) {
    ASSERT_TRUE(start());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "コンフィグ"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "not found");
    EXPECT_TRUE(find<QRadioButton>("hospitalRadio")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("monochromeRadio")->isChecked());
    EXPECT_EQ(find<QComboBox>("orderList")->currentIndex(), 0);
    EXPECT_FALSE(find<QComboBox>("pharmacistList")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("pharmacyNameBox")->isEnabled());
    EXPECT_EQ(window->drugList().count(), 41);
}

TEST_F(ProgramTest, BusinessDataAndOrderAreSavedAtOnceAndSurviveARestart) {
    ASSERT_TRUE(start());
    find<QRadioButton>("pharmacyRadio")->click();
    EXPECT_TRUE(find<QComboBox>("pharmacistList")->isEnabled());
    find<QRadioButton>("colourfulRadio")->click();
    auto* order = find<QComboBox>("orderList");
    order->setCurrentIndex(1);
    emit order->activated(1);
    EXPECT_EQ(window->drugList().row(0).code, "ACVO");  // ASCII codes before kana codes
    find<QLineEdit>("pharmacyNameBox")->setText("見本薬局");
    window->close();

    const settings::SettingsBlock saved = savedSettings();
    EXPECT_EQ(saved.businessType, 1);
    EXPECT_EQ(saved.options[settings::kOptionPrintColour], 1);
    EXPECT_EQ(saved.options[settings::kOptionDrugListOrder], 1);
    EXPECT_EQ(std::string(saved.pharmacyName), sjis::fromUtf8("見本薬局"));

    window.reset();
    shell::shutDown();
    ASSERT_TRUE(start());
    EXPECT_EQ(find<QComboBox>("orderList")->currentIndex(), 1);
    EXPECT_TRUE(find<QRadioButton>("pharmacyRadio")->isChecked());
    EXPECT_EQ(window->drugList().row(0).code, "ACVO");
}

TEST_F(ProgramTest, OnlyTheUsersOwnDrugsCanBeDeleted) {
    DrugRecord mine{};
    ASSERT_TRUE(start());
    sjis::copyField(mine.YJCODE, sizeof mine.YJCODE, "USER00000001");
    sjis::copyField(mine.PRODUCTNAME, sizeof mine.PRODUCTNAME, sjis::fromUtf8("自家製軟膏"));
    ASSERT_EQ(RecordCreate(&mine), 0);
    ASSERT_TRUE(window->loadDrugList());
    auto* deleteButton = find<QPushButton>("deleteDrugButton");

    deleteButton->click();
    EXPECT_EQ(prompts.shown.back().text, "薬剤リストから、削除する薬剤を選択して下さい。");

    window->selectDrugRow(window->drugList().findYjCode("2171901F3S91"));
    deleteButton->click();
    EXPECT_EQ(prompts.shown.back().title, "削除不可");

    const int count = window->drugList().count();
    window->selectDrugRow(window->drugList().findYjCode("USER00000001"));
    prompts.yesNo = {false, true};
    deleteButton->click();  // answered No: nothing happens
    EXPECT_EQ(window->drugList().count(), count);
    deleteButton->click();
    EXPECT_EQ(prompts.shown.back().text,
              "『 自家製軟膏 』 の薬剤項目をデータベース上から削除します。よろしいですか？");
    EXPECT_EQ(window->drugList().count(), count - 1);
    EXPECT_EQ(window->drugList().findYjCode("USER00000001"), -1);
    EXPECT_EQ(RecordDetail(&mine, "USER00000001"), 1);
}

TEST_F(ProgramTest, SameKindDrugsAreListedAndOneIsApplied) {
    ASSERT_TRUE(start());
    window->selectDrugRow(window->drugList().findYjCode("2171901F2M97"));
    std::vector<std::string> listed;
    whenModal("searchResultsDialog", [&](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>("resultList");
        for (int i = 0; i < list->count(); ++i)
            listed.push_back(list->item(i)->text().toStdString());
        EXPECT_EQ(dialog->findChild<QLabel*>("countLine")->text(),
                  "全部で 3 件のデータがみつかりました。");
        list->setCurrentRow(0);  // the panel follows the results
        EXPECT_EQ(field(*window, "productNameField"), "アムロジピン錠１０ｍｇ「サンプル」");
        dialog->findChild<QPushButton*>("chooseButton")->click();
    });
    find<QPushButton>("sameKindButton")->click();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(window->drugList().row(window->selectedDrugRow()).yjcode, "2171901F3S91");
}

TEST_F(ProgramTest, DrugSearchCombinesConditionsAndAppliesTheChoice) {
    ASSERT_TRUE(start());
    whenModal("drugSearchDialog", [&](QWidget* dialog) {
        auto* search = dialog->findChild<QPushButton*>("searchButton");
        search->click();  // every condition empty: no search, no message
        EXPECT_TRUE(prompts.shown.size() == 1u);
        dialog->findChild<QComboBox*>("formList")->setCurrentIndex(3);  // 粉末: 散, 末 or 粒
        search->click();
        auto* list = dialog->findChild<QListWidget*>("resultList");
        EXPECT_EQ(list->count(), 3)
            << dialog->findChild<QLabel*>("countLine")->text().toStdString();
        dialog->findChild<QLineEdit*>("productNamePart")->setText("存在しない");
        search->click();
        EXPECT_EQ(prompts.shown.back().title, "検出なし");
        EXPECT_EQ(dialog->findChild<QLabel*>("countLine")->text(), "検索件数 0件");
        dialog->findChild<QLineEdit*>("productNamePart")->setText("ファモチジン");
        dialog->findChild<QComboBox*>("formList")->setCurrentIndex(0);
        search->click();
        dialog->findChild<QPushButton*>("chooseButton")->click();  // nothing chosen yet
        EXPECT_EQ(prompts.shown.back().text, "リストから適用する薬剤を選択して下さい。");
        list->setCurrentRow(1);
        dialog->findChild<QPushButton*>("chooseButton")->click();
    });
    QTest::keyClick(find<QTableView>("drugList"), Qt::Key_F2);
    ASSERT_GE(window->selectedDrugRow(), 0);
    EXPECT_EQ(window->drugList().row(window->selectedDrugRow()).yjcode, "2325903F2M95");
}

TEST_F(ProgramTest, LeavingThePatientIdBoxLooksUpTheName) {
    ASSERT_TRUE(start());
    registerPatient(12, "見本 花子");
    auto* id = find<QLineEdit>("patientIdBox");
    id->setFocus();
    type(id, "12");
    find<QLineEdit>("nameSearchBox")->setFocus();
    EXPECT_EQ(field(*window, "patientNameBox"), "見本 花子");
    EXPECT_EQ(desk->patient().id, 12);

    id->setFocus();
    id->setText("99");
    find<QLineEdit>("nameSearchBox")->setFocus();
    EXPECT_EQ(field(*window, "patientNameBox"), "");
    EXPECT_EQ(desk->patient().id, 12);  // an unknown ID keeps the current patient
}

TEST_F(ProgramTest, CommentKeepsItsLineBreaksAndCloseKeepsTheOldComment) {
    ASSERT_TRUE(start());
    whenModal("commentDialog", [](QWidget* dialog) {
        dialog->findChild<QTextEdit*>("commentBox")->setPlainText("一行目\n二行目\n三行目");
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    find<QPushButton>("commentButton")->click();
    EXPECT_EQ(std::string(savedSettings().comment), sjis::fromUtf8("一行目\r\n二行目\r\n三行目"));

    whenModal("commentDialog", [](QWidget* dialog) {
        dialog->findChild<QTextEdit*>("commentBox")->setPlainText("捨てる");
        dialog->findChild<QPushButton*>("closeButton")->click();
    });
    find<QPushButton>("commentButton")->click();
    EXPECT_EQ(std::string(desk->settings.comment), sjis::fromUtf8("一行目\r\n二行目\r\n三行目"));
}

// Set LEAFLET_SCREENSHOT to a PNG path to look at the window as the operator sees it.
TEST_F(ProgramTest, TheSelectedDrugsPhotographIsShown) {
    std::ostringstream out, err;
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    ASSERT_TRUE(start());
    type(find<QLineEdit>("nameSearchBox"), "ろきそ");
    EXPECT_TRUE(window->detailPanel().photoShown());
    if (const char* path = std::getenv("LEAFLET_SCREENSHOT")) window->grab().save(path);
}

TEST_F(ProgramTest, ThePrintListShowsAmountsAndRemovesTheSelectedEntry) {
    ASSERT_TRUE(start());
    const char* codes[] = {"2171901F3S91", "1149902F1T94", "2325903F2M95"};
    for (int i = 0; i < 3; ++i) {
        DrugRecord entry{};
        ASSERT_EQ(RecordDetail(&entry, codes[i]), 0);
        entry.callerArea[1] = i == 0 ? 101 : 2;  // morning: 1.5, then 2
        ASSERT_TRUE(desk->append(entry, nullptr));
    }
    auto* view = find<QTableView>("printList");
    const auto cell = [view](int row, int column) {
        return view->model()->data(view->model()->index(row, column)).toString();
    };
    EXPECT_EQ(cell(0, 2) + "|" + cell(1, 2) + "|" + cell(1, 1), "1.5|2|");

    auto* remove = find<QPushButton>("removeEntryButton");
    remove->click();  // nothing selected: nothing changes
    EXPECT_EQ(desk->printList().count(), 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    EXPECT_EQ(field(*window, "productNameField"), "アムロジピン錠１０ｍｇ「サンプル」");
    remove->click();
    ASSERT_EQ(desk->printList().count(), 2);
    EXPECT_STREQ(desk->printList().entry(0).YJCODE, codes[1]);
    EXPECT_EQ(view->model()->rowCount(), 2);
}

namespace {

// The enabled state of each action of a pop-up menu, by text; the menu is closed afterwards.
std::map<QString, bool> menuItems(QWidget* popup) {
    std::map<QString, bool> items;
    for (QAction* a : popup->actions()) items[a->text()] = a->isEnabled();
    popup->close();
    return items;
}

}  // namespace

TEST_F(ProgramTest, TextBoxMenuOffersCopyOnlyWithASelectionAndDrugMenuActsAsTheButtons) {
    ASSERT_TRUE(start());
    window->selectDrugRow(window->drugList().findYjCode("2171901F3S91"));
    auto* box = find<QTextEdit>("efficacyBox");
    std::map<QString, bool> items;
    whenPopup("editMenu", [&](QWidget* menu) { items = menuItems(menu); });
    emit box->customContextMenuRequested({5, 5});
    EXPECT_FALSE(items.at("コピー(&C)"));
    EXPECT_TRUE(items.at("すべて選択(&A)"));
    EXPECT_FALSE(items.at("貼り付け(&P)")) << "the box is read-only";
    EXPECT_FALSE(items.at("切り取り(&T)"));
    box->selectAll();
    whenPopup("editMenu", [&](QWidget* menu) { items = menuItems(menu); });
    emit box->customContextMenuRequested({5, 5});
    EXPECT_TRUE(items.at("コピー(&C)"));
    EXPECT_FALSE(items.at("切り取り(&T)"));

    // A right click selects the row under it; the menu's delete item refuses a supplied drug.
    auto* list = find<QTableView>("drugList");
    const QRect third = list->visualRect(window->drugList().index(2, 0));
    whenPopup("drugListMenu", [](QWidget* menu) {
        for (QAction* a : menu->actions())
            if (a->text() == "薬剤の削除(&D)") a->trigger();
        menu->close();
    });
    emit list->customContextMenuRequested(third.center());
    EXPECT_EQ(window->selectedDrugRow(), 2);
    EXPECT_EQ(prompts.shown.back().title, "削除不可");
}

TEST_F(ProgramTest, TypedOrCommittedTextSelectsTheFirstMatchingDrugAndShowsIt) {
    ASSERT_TRUE(start());
    auto* names = find<QLineEdit>("nameSearchBox");
    names->setFocus();
    type(names, "あむろ");
    ASSERT_GE(window->selectedDrugRow(), 0);
    EXPECT_EQ(window->drugList().row(window->selectedDrugRow()).yjcode, "2171901F3S91");
    EXPECT_EQ(field(*window, "productNameField"), "アムロジピン錠１０ｍｇ「サンプル」");
    EXPECT_EQ(field(*window, "makerField"), "サンプル製薬");
    EXPECT_EQ(field(*window, "formField"), "錠");
    EXPECT_FALSE(window->findChild<QTextEdit*>("efficacyBox")->toPlainText().isEmpty());

    // An input method's committed text is taken as typed; what it still converts is not.
    const auto commit = [](QWidget* box, const QString& preedit, const QString& text) {
        box->setFocus();
        QInputMethodEvent composing(preedit, {});
        QApplication::sendEvent(box, &composing);
        QInputMethodEvent committed;
        committed.setCommitString(text);
        QApplication::sendEvent(box, &committed);
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
}

TEST_F(ProgramTest, TabGoesThroughTheWindowFromTopToBottom) {
    ASSERT_TRUE(start());
    std::vector<std::string> chain;
    QWidget* first = find<QLineEdit>("patientIdBox");
    QWidget* w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w != first);
    const QStringList landmarks =
        QString(
            "patientIdBox nameSearchBox drugList efficacyBox prescriberList colourfulRadio "
            "editPharmacistsButton drugSearchButton helpButton printList removeEntryButton "
            "printButton")
            .split(' ');
    auto at = chain.begin();
    for (const QString& name : landmarks) {
        at = std::find(at, chain.end(), name.toStdString());
        ASSERT_NE(at, chain.end()) << name.toStdString() << " out of order";
    }
}

TEST_F(ProgramTest, ACommandsButtonKeyAndMenuItemAreOneActionEnabledAsOne) {
    ASSERT_TRUE(start());
    // The screens not in this build are off everywhere.
    EXPECT_TRUE(find<QPushButton>("drugDetailButton")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("patientFileButton")->isEnabled());

    auto* setDosage = find<QAction>("actionSetDosage");
    auto* list = find<QTableView>("drugList");
    setDosage->setEnabled(false);
    EXPECT_FALSE(find<QPushButton>("setDosageButton")->isEnabled());
    std::map<QString, bool> items;
    whenPopup("drugListMenu", [&](QWidget* menu) { items = menuItems(menu); });
    emit list->customContextMenuRequested({5, 5});
    EXPECT_FALSE(items.at("用法の設定(&Y)"));
    EXPECT_TRUE(items.at("薬剤の詳細(&I)"));
    EXPECT_TRUE(items.at("薬剤の訂正(&E)"));
    EXPECT_TRUE(items.at("薬剤の登録(&R)"));
    EXPECT_TRUE(items.at("薬剤の削除(&D)"));
    activate();                         // back from the menu: keys go to the active window only
    QTest::keyClick(list, Qt::Key_F4);  // the right click selected a drug
    EXPECT_EQ(window->dosageWindow(), nullptr) << "a disabled command's key does nothing";

    setDosage->setEnabled(true);
    EXPECT_TRUE(find<QPushButton>("setDosageButton")->isEnabled());
    QTest::keyClick(list, Qt::Key_F4);
    EXPECT_NE(window->dosageWindow(), nullptr);
}
