// The drug search and search-results dialogs on the sample catalogue: their layout, hiragana
// in the name condition, the wait window around the search, the focus and the panel on close.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "data_folder_fixture.h"
#include "drugs/drug_search_dialog.h"
#include "scripted_prompts.h"
#include "widget_driving.h"

namespace {

// Records the names of the windows shown while it is installed.
class ShownWindows : public QObject {
  public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    QStringList names;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            names << watched->objectName();
        return false;
    }
};

class DrugDialogsTest : public DataFolderTest {
  protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ASSERT_EQ(catalogue.sameKind("2171901F2M97", found), data::DataResult::kDone);
    }

    drugs::ResultsDialog::Actions actions() {
        return {[this](const std::string& yj) { previewed.push_back(yj); },
                [this](const std::string& yj) { applied.push_back(yj); }};
    }

    ScriptedPrompts prompts;
    std::vector<std::string> previewed, applied;
    std::vector<drugs::DrugResult> found;  // the same kind as an amlodipine tablet
    int restored = 0;
};

}  // namespace

TEST_F(DrugDialogsTest, SearchControlsDoNotOverlapAndHiraganaFindsKatakanaNames) {
    drugs::DrugSearchDialog dialog(prompts, actions(), nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const auto widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* a : widgets) {
        for (const QWidget* b : widgets) {
            if (a >= b || !a->isVisible() || !b->isVisible()) continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->metaObject()->className() << " " << a->objectName().toStdString() << " / "
                << b->metaObject()->className() << " " << b->objectName().toStdString();
        }
    }
    const auto* note = child<QLabel>(&dialog, "conditionsNote");
    EXPECT_GE(note->height(), note->heightForWidth(note->width())) << "the whole note is shown";
    EXPECT_TRUE(dialog.rect().contains(child<QPushButton>(&dialog, "closeButton")->geometry()));

    // Hiragana in the name finds the two katakana ファモチジン names, behind a wait window.
    type(child<QLineEdit>(&dialog, "productNamePart"), "ふぁもちじん");
    ShownWindows shown;
    dialog.search();
    ASSERT_EQ(dialog.results().size(), 2u);
    for (const auto& r : dialog.results()) EXPECT_EQ(r.yjcode.substr(0, 7), "2325903");
    EXPECT_EQ(shown.names, QStringList{"waitWindow"}) << "shown once, around the search";
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DrugDialogsTest, ResultsOpenWithTheFocusOnChooseAndWithoutABandAbove) {
    drugs::ResultsDialog dialog(prompts, actions(), nullptr);
    dialog.setResults(found);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(&dialog, "chooseButton"));
    EXPECT_LT(child<QLabel>(&dialog, "countLine")->y(), 20);
    EXPECT_LT(child<QListWidget>(&dialog, "resultList")->y(), 50);
    // Space on the focused button applies: with nothing chosen it asks for a choice.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "リストから適用する薬剤を選択して下さい。");
}

TEST_F(DrugDialogsTest, ClosingWithoutChoosingPutsThePanelBackOnlyWhenItWasChanged) {
    const auto run = [&](auto act) {
        drugs::ResultsDialog dialog(prompts, actions(), nullptr);
        dialog.setRestore([this] { ++restored; });
        dialog.setResults(found);
        dialog.show();
        act(dialog);
    };
    const auto list = [](QDialog& d) { return child<QListWidget>(&d, "resultList"); };
    const auto click = [](QDialog& d, const char* name) {
        QTest::mouseClick(child<QPushButton>(&d, name), Qt::LeftButton);
    };

    run([&](QDialog& d) { click(d, "closeButton"); });
    EXPECT_EQ(restored, 0) << "the panel was never changed";

    run([&](QDialog& d) {
        list(d)->setCurrentRow(1);
        list(d)->setCurrentRow(2);
        click(d, "closeButton");
    });
    EXPECT_EQ(previewed.size(), 2u);
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(applied.empty());

    run([&](QDialog& d) {
        list(d)->setCurrentRow(0);
        click(d, "chooseButton");
    });
    EXPECT_EQ(restored, 1) << "a chosen drug stays in the panel";
    EXPECT_EQ(applied, std::vector<std::string>{found[0].yjcode});
}
