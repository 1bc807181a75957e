#include <gtest/gtest.h>

#include <fstream>

#include "atomic_file/atomic_file.h"
#include "file_mode.h"
#include "scoped_env.h"
#include "temp_dir.h"

// A replaced file keeps the mode of the file it replaces; a new one is its owner's alone, or
// its group's too in a shared folder, whatever the umask.
TEST(AtomicFile, AReplacedFileKeepsItsModeAndANewOneIsTheOwners) {
    TempDir dir;
    const auto file = dir.path() / "list.txt";
    struct Case {
        mode_t before;  // 0: no file before
        const char* shared;
        mode_t after;
    } cases[] = {{0600, nullptr, 0600},
                 {0640, nullptr, 0640},
                 {0604, nullptr, 0604},
                 {0, nullptr, 0600},
                 {0, "1", 0660}};
    const mode_t umask = ::umask(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << (c.shared ? " shared" : ""));
        ScopedEnv shared("LEAFLET_SHARED_GROUP", c.shared);
        std::filesystem::remove(file);
        if (c.before) {
            std::ofstream(file) << "old";
            ASSERT_EQ(::chmod(file.c_str(), c.before), 0);
        }
        ASSERT_TRUE(atomic_file::replaceFile(file, "new"));
        EXPECT_EQ(modeOf(file), c.after);
    }
    ::umask(umask);
    std::ifstream in(file);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "new");
}
