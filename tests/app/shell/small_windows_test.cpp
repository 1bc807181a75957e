// The shell's small windows as the operator meets them: the help page in the program's own
// window, the comment box with the program's menu, the version dialog with the icon.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <filesystem>

#include "scripted_prompts.h"
#include "shell/help_window.h"
#include "shell/small_dialogs.h"
#include "temp_dir.h"
#include "widget_driving.h"

namespace fs = std::filesystem;

TEST(HelpWindow, ShowsTheProgramFoldersHelpPageInOneWindowOrSaysItIsMissing) {
    TempDir folder;
    QWidget owner;
    owner.show();
    ScriptedPrompts prompts;
    EXPECT_EQ(shell::showHelp(&owner, prompts, folder.path()), nullptr);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "操作方法");
    EXPECT_NE(prompts.shown[0].text.find("操作方法.html"), std::string::npos);

    fs::copy_file(HELP_PAGE, folder.path() / shell::kHelpPageName);
    shell::HelpWindow* window = shell::showHelp(&owner, prompts, folder.path());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), "操作方法");
    const QString page = window->browser()->toPlainText();
    EXPECT_TRUE(page.contains("薬の説明書の作り方")) << page.left(200).toStdString();
    EXPECT_EQ(prompts.shown.size(), 1u) << "nothing more said";

    EXPECT_EQ(shell::showHelp(&owner, prompts, folder.path()), window) << "one window at a time";
    QTest::mouseClick(child<QPushButton>(window, "closeButton"), Qt::LeftButton);
    shell::HelpWindow* again = shell::showHelp(&owner, prompts, folder.path());
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible()) << "a closed window opens again";
}

TEST(CommentDialog, TheBoxHasItsSizeAndTheProgramsMenu) {
    settings::SettingsBlock settings{};
    ScriptedPrompts prompts;
    shell::CommentDialog dialog(settings, prompts, nullptr);
    dialog.show();
    QTextEdit* box = dialog.box();
    EXPECT_EQ(box->size(), QSize(736, 48));
    box->setPlainText(QString(1000, 'x'));  // the comment field holds 999 bytes
    EXPECT_TRUE(box->toPlainText().isEmpty());
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"コメントは全角499文字（半角999文字）まで入力できます。"});
    int items = 0;  // their texts and states are checked on the main window's boxes
    whenPopup("editMenu", [&](QWidget* menu) {
        items = int(menu->actions().size());
        menu->close();
    });
    emit box->customContextMenuRequested({5, 5});
    EXPECT_EQ(items, 4);
    // Nothing else overlaps the box.
    for (const QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == box) continue;
        EXPECT_FALSE(w->geometry().intersects(box->geometry())) << w->metaObject()->className();
    }
}

TEST(VersionDialog, ShowsTheProgramIcon) {
    shell::VersionDialog dialog(nullptr);
    dialog.show();
    const auto* icon = child<QLabel>(&dialog, "programIcon");
    ASSERT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(icon->pixmap().size(), QSize(48, 48));
    EXPECT_TRUE(dialog.rect().contains(icon->geometry()));
}
