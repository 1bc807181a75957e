#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "atomic_file/atomic_file.h"
#include "temp_dir.h"

namespace {

mode_t modeOf(const std::filesystem::path& file) {
    struct stat s {};
    return ::stat(file.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0;
}

}  // namespace

TEST(AtomicFile, AReplacedFileKeepsTheModeOfTheFileItReplaces) {
    TempDir dir;
    const auto file = dir.path() / "list.txt";
    std::ofstream(file) << "old";
    for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0604}}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_TRUE(atomic_file::replaceFile(file, "new"));
        EXPECT_EQ(modeOf(file), mode);
    }
    std::ifstream in(file);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "new");
}
