// "患者検索" and "検索結果": conditions, the patients found in ID order, and the chosen patient
// selected on the patient screen.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "drugs/detail_panel.h"
#include "patients_fixture.h"

namespace {

class PatientSearchTest : public PatientScreenTest {
  protected:
    void SetUp() override {
        PatientScreenTest::SetUp();
        registerPatient(14, "令和　花子", 5, 3, 0, 0, 2);
        registerPatient(3, "見本　三郎");
        registerPatient(1, "見本　一子", 0, 0, 0, 0, 2);
        for (const auto& [id, text] : {std::pair{3, "ミホン サブロウ"}, {14, "れいわ はなこ"}}) {
            PatientRecord reading{};
            ASSERT_EQ(registry.detail(id, reading), data::DataResult::kDone);
            sjis::copyField(reading.MEMO, sizeof reading.MEMO, sjis::fromUtf8(text));
            ASSERT_EQ(registry.correct(reading, id), data::DataResult::kDone);
        }
        desk->settings.patientOrder = 1;  // by reading: 3, 14, 1
        ASSERT_TRUE(openScreen());
    }

    // Runs the search dialog: `conditions` sets it up before 上記条件で検索; `results` acts on
    // the results dialog when one opens.
    void search(std::function<void(QWidget*)> conditions,
                std::function<void(QWidget*)> results = nullptr) {
        whenModal("patientSearchDialog", [=](QWidget* d) {
            if (results) whenModal("searchResultsDialog", results);
            conditions(d);
            child<QPushButton>(d, "searchButton")->click();
            if (!results) child<QPushButton>(d, "closeButton")->click();
        });
        press(Qt::Key_F1);
    }

    // The IDs a search with `conditions` finds; the results are then closed.
    QStringList found(std::function<void(QWidget*)> conditions) {
        QStringList out;
        search(conditions, [&](QWidget* r) {
            out = ids(r);
            child<QPushButton>(r, "closeButton")->click();
        });
        return out;
    }
    static QStringList ids(QWidget* results) {
        return columnOf(child<QTableView>(results, "resultList"), 0);
    }
};

TEST_F(PatientSearchTest, NoConditionListsEveryoneInIdOrderAndTheChoiceIsSelectedAndShown) {
    drugs::DetailPanel& panel = window->detailPanel();
    ASSERT_TRUE(panel.show(drugs::DetailPanel::Mode::Fill, "2171901F3S91"));
    panel.clearFields();
    QStringList found;
    QString count;
    search([](QWidget*) {},
           [&](QWidget* r) {
               found = ids(r);
               count = child<QLabel>(r, "countLabel")->text();
               child<QPushButton>(r, "chooseButton")->click();
               EXPECT_EQ(prompts.shown.back().text, "リストから適用する患者を選択して下さい。");
               auto* list = child<QTableView>(r, "resultList");
               QTest::keyClick(list, Qt::Key_Down);  // the first key makes a row current
               QTest::keyClick(list, Qt::Key_End);
               EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "令和　花子") << "moving shows";
               QTest::keyClick(list, Qt::Key_Home);
               QTest::keyClick(list, Qt::Key_Return);
           });
    EXPECT_EQ(found, QStringList({"1", "3", "14"}));
    EXPECT_EQ(count, "全部で 3 件のデータがみつかりました。");
    EXPECT_EQ(selectedId(), 1) << "the ID chosen, not the first beginning with it (14)";
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "見本　一子") << "Enter chose and showed it";
    EXPECT_EQ(find<QLineEdit>("formField")->text(), "錠")
        << "closing the results writes the held drug's dosage form back";
}

TEST_F(PatientSearchTest, TheReadingSexAndEraNarrowTheSearch) {
    type(in<QLineEdit>("nameSearchBox"), "さぶ");
    EXPECT_EQ(selectedId(), 3) << "the name box finds the reading";
    EXPECT_EQ(found([](QWidget* d) { child<QLineEdit>(d, "readingBox")->setText("みほん"); }),
              QStringList{"3"});
    EXPECT_EQ(found([](QWidget* d) { child<QRadioButton>(d, "femaleButton")->click(); }),
              QStringList({"1", "14"}));
    QStringList reiwa;

    search(
        [](QWidget* d) {
            child<QRadioButton>(d, "reiwaButton")->click();
            child<QLineEdit>(d, "yearBox")->setText("3");
        },
        [&](QWidget* r) {
            reiwa = ids(r);
            auto* v = child<QTableView>(r, "resultList");
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                              v->visualRect(v->model()->index(0, 0)).center());
            EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "令和　花子") << "a clicked result shows";
            QTest::keyClick(v, Qt::Key_Escape);
        });
    EXPECT_EQ(reiwa, QStringList({"14"}));
    EXPECT_EQ(in<QLineEdit>("nameBox")->text(), "見本　三郎") << "Esc shows the current row again";

    prompts.shown.clear();
    search([&](QWidget* d) {
        child<QLineEdit>(d, "nameBox")->setText("存在しない");
        child<QPushButton>(d, "searchButton")->click();
        EXPECT_TRUE(d->isVisible()) << "nothing found keeps the dialog open";
    });
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].title + prompts.shown[1].title, "検出なし検出なし");
}

}  // namespace
