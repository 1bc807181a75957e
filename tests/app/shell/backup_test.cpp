#include <QPushButton>
#include <fstream>

#include "program_fixture.h"
#include "shell/backup.h"

namespace fs = std::filesystem;

TEST(Backup, CopiesSubFoldersAndAsksBeforeEachOverwrite) {
    TempDir source, target;
    fs::create_directories(source.path() / "sub");
    std::ofstream(source.path() / "a.mdb") << "new a";
    std::ofstream(source.path() / "sub" / "b.txt") << "new b";
    std::ofstream(source.path() / "c.txt") << "new c";
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
    EXPECT_EQ(outcome.copied, 3);
    EXPECT_TRUE(asked.empty());

    std::ofstream(target.path() / "c.txt") << "old c";
    outcome = shell::backupFolder(source.path(), target.path(), callbacks);
    EXPECT_EQ(asked.size(), 2u);  // the third file is covered by "yes to all"
    EXPECT_EQ(outcome.kept, 1);
    EXPECT_EQ(outcome.copied, 2);
    std::string content;
    std::getline(std::ifstream(target.path() / "sub" / "b.txt"), content);
    EXPECT_EQ(content, "new b");
}

TEST(Backup, ACancelOrAFailedCopyStopsAndSaysWhich) {
    TempDir source, target;
    std::ofstream(source.path() / "a.txt") << "a";
    std::ofstream(source.path() / "b.txt") << "b";
    std::ofstream(target.path() / "a.txt") << "old";
    shell::BackupCallbacks callbacks;
    callbacks.askOverwrite = [](const fs::path&) { return ui::OverwriteAnswer::Cancel; };
    auto outcome = shell::backupFolder(source.path(), target.path(), callbacks);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.complete());

    // A folder standing where a file must go makes that copy fail.
    fs::remove(target.path() / "a.txt");
    fs::remove(target.path() / "b.txt");
    fs::create_directories(target.path() / "b.txt" / "x");
    outcome = shell::backupFolder(source.path(), target.path(), {});
    EXPECT_FALSE(outcome.complete());
    EXPECT_EQ(outcome.failed.filename(), "b.txt");
    // What was copied before the failure stays.
    EXPECT_EQ(outcome.copied, fs::exists(target.path() / "a.txt") ? 1 : 0);
}

TEST_F(ProgramTest, TheBackupCommandReportsCompletionOnlyWhenWhole) {
    ASSERT_TRUE(start());
    TempDir target;
    prompts.folders = {QString::fromStdString(target.path().string())};
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.back().text, "データファイルの保存が完了しました。");
    EXPECT_TRUE(fs::exists(target.path() / "薬剤ファイル.mdb"));
    EXPECT_TRUE(fs::exists(target.path() / "患者ファイル.mdb"));

    const auto before = prompts.shown.size();
    prompts.folders = {QString::fromStdString(target.path().string())};
    prompts.overwrite = {ui::OverwriteAnswer::Cancel};
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.size(), before + 1);  // only the overwrite question
    prompts.folders = {QString()};                // the chooser cancelled: nothing happens
    find<QPushButton>("backupButton")->click();
    EXPECT_EQ(prompts.shown.size(), before + 1);
}
