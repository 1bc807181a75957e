// The program's own question boxes: Enter gives the answer the caller named as the default, and
// the overwrite question of a copy defaults to No.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/qt_prompts.h"
#include "widget_driving.h"

namespace {

void pressEnterIn(const char* box) {
    whenModal(box, [](QWidget* shown) { QTest::keyClick(shown, Qt::Key_Return); });
}

TEST(QtPrompts, EnterGivesTheNamedDefaultAndAnOverwriteIsNotTakenByEnter) {
    struct Case {
        const char* name;
        ui::Default preset;
        bool answer;
    };
    const Case cases[] = {{"default No", ui::Default::No, false},
                          {"default Yes", ui::Default::Yes, true}};
    ui::QtPrompts prompts;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pressEnterIn("questionBox");
        EXPECT_EQ(prompts.askYesNo(nullptr, "削除しますか？", "確認", ui::Icon::Warning, c.preset),
                  c.answer);
    }
    pressEnterIn("overwriteBox");
    EXPECT_EQ(prompts.askOverwrite(nullptr, "上書きしますか？", "確認"), ui::OverwriteAnswer::No);
}

}  // namespace
