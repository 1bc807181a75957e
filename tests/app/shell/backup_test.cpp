#include <QDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <set>

#include "program_fixture.h"
#include "scripted_prompts.h"
#include "shell/backup.h"
#include "shell/backup_command.h"
#include "shell/backup_progress.h"
#include "ui/qt_prompts.h"

namespace fs = std::filesystem;

namespace {

// The end of a backup says that the copies need the folder's key to be read.
const std::string kBackupDone =
    "データファイルの保存が完了しました。\n保存したデータは、このデータフォルダーの暗号鍵"
    "（金庫に保管している「データ暗号鍵 回復用シート」）がなければ読めません。";

// The program's own message boxes for questions; the folder chooser and the messages are
// scripted and recorded.
class RealQuestions : public ui::QtPrompts {
  public:
    QString folder;
    std::vector<std::string> messages;

    QString chooseFolder(QWidget*, const QString&) override { return folder; }
    void message(QWidget*, const QString& text, const QString&, ui::Icon) override {
        messages.push_back(text.toStdString());
    }
};

QMessageBox* openQuestion() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

// Writes each named file (sub-folders made) with `content`, or its own name when none.
void write(const fs::path& folder, std::initializer_list<const char*> names,
           const char* content = nullptr) {
    for (const char* name : names) {
        fs::create_directories((folder / name).parent_path());
        std::ofstream(folder / name) << (content ? content : name);
    }
}

std::string contentOf(const fs::path& file) {
    std::string content;
    std::getline(std::ifstream(file), content);
    return content;
}

}  // namespace

// Temporary files of unfinished saves are left out; names that only look like them are not.
TEST(Backup, CopiesSubFoldersButUnfinishedSavesAndAsksBeforeEachOverwrite) {
    TempDir source, target;
    write(source.path(), {"a.mdb", "sub/b.txt", "c.txt"}, "new");
    write(source.path(),
          {".用法.txt.tmp-4242-0", "sub/.Userfile.e.tmp-17-3", ".notes.tmp", "sub/.x.tmp-1"});
    std::vector<fs::path> asked;
    std::deque<ui::OverwriteAnswer> answers = {ui::OverwriteAnswer::No,
                                               ui::OverwriteAnswer::YesToAll};
    shell::BackupCallbacks callbacks;
    callbacks.askOverwrite = [&](const fs::path& p) {
        asked.push_back(p);
        auto a = answers.front();
        answers.pop_front();
        return a;
    };
    auto outcome = shell::backupFolder(source.path(), target.path(), callbacks);
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.copied, 5);
    EXPECT_TRUE(asked.empty());
    std::set<std::string> copied;
    for (const auto& e : fs::recursive_directory_iterator(target.path()))
        if (e.is_regular_file()) copied.insert(fs::relative(e.path(), target.path()).string());
    EXPECT_EQ(copied,
              (std::set<std::string>{"a.mdb", "sub/b.txt", "c.txt", ".notes.tmp", "sub/.x.tmp-1"}));

    write(target.path(), {"c.txt"}, "old");
    outcome = shell::backupFolder(source.path(), target.path(), callbacks);
    EXPECT_EQ(asked.size(), 2u);  // the later files are covered by "yes to all"
    EXPECT_EQ(outcome.kept, 1);
    EXPECT_EQ(outcome.copied, 4);
    EXPECT_EQ(contentOf(target.path() / "sub" / "b.txt"), "new");
}

TEST(Backup, ACancelStopsTheCopy) {
    TempDir source, target;
    write(source.path(), {"a.txt", "b.txt"});
    write(target.path(), {"a.txt"});
    shell::BackupCallbacks callbacks;
    callbacks.askOverwrite = [](const fs::path&) { return ui::OverwriteAnswer::Cancel; };
    auto outcome = shell::backupFolder(source.path(), target.path(), callbacks);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.complete());
}

TEST_F(ProgramTest, TheBackupCommandReportsCompletionOnlyWhenWhole) {
    ASSERT_TRUE(start());
    TempDir target;
    prompts.folders = {QString::fromStdString(target.path().string())};
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.back().text, kBackupDone);
    EXPECT_TRUE(fs::exists(target.path() / "薬剤ファイル.mdb") &&
                fs::exists(target.path() / "患者ファイル.mdb"));

    const auto before = prompts.shown.size();
    prompts.folders = {QString::fromStdString(target.path().string())};
    prompts.overwrite = {ui::OverwriteAnswer::Cancel};
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.size(), before + 1);  // only the overwrite question
    prompts.folders = {QString()};                // the chooser cancelled: nothing happens
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.size(), before + 1);

    // A folder standing where a file must go: the file and the reason are named instead.
    fs::remove(target.path() / "薬剤ファイル.mdb");
    fs::create_directories(target.path() / "薬剤ファイル.mdb" / "x");
    prompts.folders = {QString::fromStdString(target.path().string())};
    prompts.overwrite = {ui::OverwriteAnswer::YesToAll};
    find<QPushButton>("backupButton")->click();
    const std::string failed = prompts.shown.back().text;
    EXPECT_TRUE(failed.find("/薬剤ファイル.mdb」を保存できませんでした。（") != std::string::npos &&
                failed.starts_with("「") && failed.ends_with("）") && !failed.ends_with("（）"))
        << failed;
    EXPECT_EQ(prompts.shown.back().title, "エラー");
}

TEST(BackupCommand, OnAServerFolderItSaysWhereTheDataIsAndCopiesNothing) {
    TempDir source, target;
    write(source.path(), {"患者ファイル.mdb"});
    write(source.path(), {"接続先.conf"},
          "host=pharmacy-server port=5432 dbname=leaflet user=clerk");
    ScriptedPrompts prompts;
    prompts.folders = {QString::fromStdString(target.path().string())};  // never asked for
    shell::runBackup(nullptr, prompts, source.path());
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_TRUE(
        prompts.texts()[0].find("接続先：host pharmacy-server port 5432 database leaflet") !=
            std::string::npos &&
        prompts.texts()[0].find("leafletadmin server-backup") != std::string::npos)
        << prompts.texts()[0];
    EXPECT_EQ(prompts.folders.size(), 1u);
    EXPECT_TRUE(fs::is_empty(target.path()));
}

TEST(BackupCommand, AQuestionLeftOpenKeepsItsInputAndTheBackupCompletesOnItsAnswer) {
    TempDir source, target;
    write(source.path(), {"a.mdb", "b.mdb", "c.txt"}, "new");
    write(target.path(), {"a.mdb"}, "old");
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    RealQuestions prompts;
    prompts.folder = QString::fromStdString(target.path().string());

    // Watches the question every 100 ms: nothing else may appear while it is open, and after
    // 10 s it must still be the window that takes input, and take a real click.
    constexpr int kTicksOpen = 100;
    int ticks = 0;
    std::set<QString> appeared;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QMessageBox* box = openQuestion();
        if (!box) return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != box && w != &owner)
                appeared.insert(w->metaObject()->className() + QString(" ") + w->objectName());
        if (++ticks < kTicksOpen) return;
        QAbstractButton* all = box->button(QMessageBox::YesToAll);
        if (ticks == kTicksOpen) {
            EXPECT_EQ(QApplication::activeModalWidget(), box);
            QTest::mouseClick(all, Qt::LeftButton);
            return;
        }
        ADD_FAILURE() << "the question took no input";
        all->click();
    });
    watch.start(100);
    shell::runBackup(&owner, prompts, source.path());
    watch.stop();

    EXPECT_EQ(ticks, kTicksOpen);
    EXPECT_TRUE(appeared.empty()) << appeared.begin()->toStdString();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kBackupDone});
    for (const char* name : {"a.mdb", "b.mdb", "c.txt"})
        EXPECT_EQ(contentOf(target.path() / name), "new") << name;
}

TEST(BackupCommand, ALongCopyShowsItsProgressWhichStepsAsideForAQuestion) {
    QWidget owner;
    owner.show();
    shell::BackupProgress progress(&owner);
    QTest::qWait(400);
    progress.update(2, 5);
    auto* window = owner.findChild<QDialog*>("backupProgress");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), window);
    const auto* bar = window->findChild<QProgressBar*>("backupProgressBar");
    EXPECT_EQ(std::pair(bar->value(), bar->maximum()), std::pair(2, 5));
    const auto answer = progress.aside([&] {
        EXPECT_FALSE(window->isVisible());
        return ui::OverwriteAnswer::No;
    });
    EXPECT_EQ(answer, ui::OverwriteAnswer::No);
}
