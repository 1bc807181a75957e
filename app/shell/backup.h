// Copying the database folder, sub-folders included, into a folder the operator chose.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "ui/prompts.h"

namespace shell {

struct BackupOutcome {
    int copied = 0;                // files written
    int kept = 0;                  // existing files the operator chose to keep
    bool cancelled = false;        // the operator cancelled at an overwrite question
    std::filesystem::path failed;  // the file whose copy failed (empty when none)
    std::string error;

    bool complete() const { return !cancelled && failed.empty(); }
};

struct BackupCallbacks {
    // Asked for each file that already exists in the target.
    std::function<ui::OverwriteAnswer(const std::filesystem::path& target)> askOverwrite;
    // Told after each file with the files handled so far and the total.
    std::function<void(int done, int total)> progress;
};

// Copies every file under `source` to the same relative place under `target`, creating
// folders as needed; the temporary files of saves (finished or not) are left out. A failure
// stops the copy; the files copied before it stay.
BackupOutcome backupFolder(const std::filesystem::path& source, const std::filesystem::path& target,
                           const BackupCallbacks& callbacks);

}  // namespace shell
