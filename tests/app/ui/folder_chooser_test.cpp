// The folder chooser of the backup: instructions in the window, the status line following the
// selection, typed paths checked, and the start at the user's desktop.
#include "ui/folder_chooser.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "scripted_prompts.h"
#include "temp_dir.h"
#include "ui/qt_prompts.h"
#include "ui/user_folders.h"
#include "widget_driving.h"

namespace {

namespace fs = std::filesystem;

QString q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

const QString kInstructions = "データファイルを保存します。\n保存先ディレクトリを指定して下さい。";

// HOME and the desktop's folder settings pointed at a temporary folder for one test.
class HomeFolder {
  public:
    HomeFolder() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", dir.path().string().c_str());
        qputenv("XDG_CONFIG_HOME", (dir.path() / ".config").string().c_str());
    }
    ~HomeFolder() {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", config_);
    }
    TempDir dir;

  private:
    QByteArray home_, config_;
};

}  // namespace

TEST(FolderChooser, ShowsTheSelectedFolderAndRefusesATypedPathThatIsNoFolder) {
    TempDir dir;
    fs::create_directories(dir.path() / "backup" / "2025");
    std::ofstream(dir.path() / "file.txt") << "x";
    ScriptedPrompts prompts;
    ui::FolderChooser chooser(kInstructions, q(dir.path()), prompts, nullptr);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    EXPECT_EQ(chooser.windowTitle(), "フォルダーの参照") << "the instructions are not the title";
    EXPECT_EQ(child<QLabel>(&chooser, "instructions")->text(), kInstructions);
    const auto status = [&] { return child<QLabel>(&chooser, "statusLine")->text(); };
    EXPECT_EQ(status(), "現在「" + q(dir.path()) + "」が選択されています");
    const auto ok = [&] {
        QTest::mouseClick(child<QPushButton>(&chooser, "okButton"), Qt::LeftButton);
    };

    auto* path = child<QLineEdit>(&chooser, "folderPath");
    for (const fs::path& wrong : {dir.path() / "missing", dir.path() / "file.txt",
                                  fs::path("relative/folder"), fs::path()}) {
        SCOPED_TRACE(wrong.string());
        prompts.shown.clear();
        path->setText(q(wrong));
        ok();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text, "不正なフォルダです");
        EXPECT_EQ(prompts.shown[0].title, "Error");
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_TRUE(chooser.folder().isEmpty());
    }
    chooser.select(q(dir.path() / "backup" / "2025"));
    EXPECT_EQ(status(), ui::selectedFolderText(q(dir.path() / "backup" / "2025")));
    EXPECT_EQ(path->text(), q(dir.path() / "backup" / "2025"));
    path->setText(q(dir.path()) + "/");
    ok();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.folder(), q(dir.path())) << "a trailing slash is dropped";
}

TEST(UserFolders, TheDesktopOrDocumentsFolderElseHomeAndTheChooserStartsAtTheDesktop) {
    HomeFolder home;
    const QString homePath = q(home.dir.path());
    EXPECT_EQ(ui::desktopFolder(), homePath);
    EXPECT_EQ(ui::documentsFolder(), homePath);
    fs::create_directories(home.dir.path() / "Desktop");
    EXPECT_EQ(ui::desktopFolder(), q(home.dir.path() / "Desktop"));
    // A desktop that names its folders in Japanese.
    fs::create_directories(home.dir.path() / ".config");
    fs::create_directories(home.dir.path() / "ドキュメント");
    std::ofstream(home.dir.path() / ".config" / "user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n";
    EXPECT_EQ(ui::documentsFolder(), q(home.dir.path() / "ドキュメント"));

    // The program's folder chooser starts at the desktop.
    ui::QtPrompts prompts;
    QString status;
    whenModal("folderChooser", [&](QWidget* chooser) {
        status = child<QLabel>(chooser, "statusLine")->text();
        QTest::mouseClick(child<QPushButton>(chooser, "cancelButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(prompts.chooseFolder(nullptr, kInstructions).isEmpty()) << "cancelled";
    EXPECT_EQ(status, ui::selectedFolderText(q(home.dir.path() / "Desktop")));
}
