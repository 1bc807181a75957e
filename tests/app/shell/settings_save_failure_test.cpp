// A save that fails part-way leaves the previous file whole and says which part failed.
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "settings_fixture.h"

using shell::SettingsBlock;

namespace {

// Caps the size of files this process writes, so a write past it fails as on a full disk
// (root included). The signal the kernel sends for it is ignored while the cap holds.
class FileSizeCap {
  public:
    explicit FileSizeCap(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit cap = saved_;
        cap.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};

SettingsBlock filledBlock(char fill) {
    SettingsBlock block;
    std::memset(&block, fill, sizeof block);
    std::memset(block.options + SettingsBlock::kStoredOptionCount, 0,
                sizeof block.options - SettingsBlock::kStoredOptionCount * 4);
    return block;
}

}  // namespace

TEST_F(SettingsFile, WriteFailureKeepsThePreviousFileAndNamesThePart) {
    ASSERT_TRUE(shell::saveSettings(file, filledBlock('A')).ok());
    const auto previous = bytes();

    const struct {
        rlim_t cap;
        const char* message;
    } cases[] = {
        {500, "ユーザーファイル書き込みに失敗しました。01"},   // in the reserved text
        {1500, "ユーザーファイル書き込みに失敗しました。02"},  // in the comment
        {2050, "ユーザーファイル書き込みに失敗しました。01"},  // in the pharmacy name
        {2500, "ユーザーファイル書き込みに失敗しました。02"},  // in the option table
    };
    for (const auto& c : cases) {
        shell::SettingsResult result;
        {
            FileSizeCap cap(c.cap);
            result = shell::saveSettings(file, filledBlock('B'));
        }
        EXPECT_EQ(result.message, c.message) << c.cap;
        EXPECT_EQ(bytes(), previous) << c.cap;
        EXPECT_EQ(configEntries(), std::vector<std::filesystem::path>{"Userfile.e"}) << c.cap;
    }
    ASSERT_TRUE(shell::saveSettings(file, filledBlock('B')).ok());
    EXPECT_EQ(load(), filledBlock('B'));
}

TEST_F(SettingsFile, SaveWithoutAPlaceForTheFileFails) {
    // A folder where the file should be: the final rename fails, the folder stays as it was.
    std::filesystem::create_directory(file);
    std::ofstream(file / "keep") << "kept";
    EXPECT_EQ(shell::saveSettings(file, SettingsBlock{}).message,
              "ユーザーファイル書き込みに失敗しました。02");
    EXPECT_TRUE(std::filesystem::exists(file / "keep"));
    EXPECT_EQ(configEntries(), std::vector<std::filesystem::path>{"Userfile.e"});

    // No コンフィグ folder: the temporary file cannot be created.
    const auto elsewhere = dir.path() / "ない" / "Userfile.e";
    EXPECT_EQ(shell::saveSettings(elsewhere, SettingsBlock{}).message,
              "ユーザーファイル作成に失敗しました。02");
    EXPECT_FALSE(std::filesystem::exists(elsewhere.parent_path()));
}
