#include "shell/backup.h"

#include <vector>

#include "atomic_file/atomic_file.h"

namespace shell {

namespace fs = std::filesystem;

BackupOutcome backupFolder(const fs::path& source, const fs::path& target,
                           const BackupCallbacks& callbacks) {
    BackupOutcome outcome;
    std::error_code ec;
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(source, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        // A temporary file of a save is never a whole copy of anything: one under way is not
        // finished, one left by a killed save is rubbish.
        if (it->is_regular_file(ec) && !atomic_file::isTemporaryFile(it->path()))
            files.push_back(it->path());
    }
    if (ec) {
        outcome.failed = source;
        outcome.error = ec.message();
        return outcome;
    }
    bool overwriteAll = false;
    int done = 0;
    for (const fs::path& file : files) {
        const fs::path to = target / fs::relative(file, source, ec);
        bool copy = true;
        if (fs::exists(to, ec) && !overwriteAll) {
            switch (callbacks.askOverwrite ? callbacks.askOverwrite(to)
                                           : ui::OverwriteAnswer::Yes) {
                case ui::OverwriteAnswer::YesToAll:
                    overwriteAll = true;
                    break;
                case ui::OverwriteAnswer::Yes:
                    break;
                case ui::OverwriteAnswer::No:
                    copy = false;
                    break;
                case ui::OverwriteAnswer::Cancel:
                    outcome.cancelled = true;
                    return outcome;
            }
        }
        if (copy) {
            fs::create_directories(to.parent_path(), ec);
            if (!ec) fs::copy_file(file, to, fs::copy_options::overwrite_existing, ec);
            if (ec) {
                outcome.failed = file;
                outcome.error = ec.message();
                return outcome;
            }
            ++outcome.copied;
        } else {
            ++outcome.kept;
        }
        if (callbacks.progress) callbacks.progress(++done, static_cast<int>(files.size()));
    }
    return outcome;
}

}  // namespace shell
