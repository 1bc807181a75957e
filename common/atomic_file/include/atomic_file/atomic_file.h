// Replacing a file whole: the new content goes to a temporary file in the target's folder,
// which is flushed to disk and then renamed over the target. A failure at any step (or a crash)
// leaves the target as it was; the temporary file is removed on every failed path. One left by
// a writer that died (kill -9, power loss) is removed by the next replacement of that target.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace atomic_file {

class Replacement {
  public:
    explicit Replacement(std::filesystem::path target);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Creates the temporary file beside the target; false when that is impossible. First removes
    // the target's stale temporary files: those of a process that no longer runs, and those
    // untouched for a minute (a writer takes well under that, and the process id may have
    // been reused). Another process's file being written is left alone.
    bool begin();
    // Appends bytes to the temporary file; false when they could not all be written.
    bool write(std::string_view bytes);
    // Flushes and closes the temporary file and renames it over the target. False when any of
    // that fails; the target is then unchanged.
    bool commit();

  private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
};

// Whether `file` is named like a temporary file of a replacement: "." + the target's name +
// ".tmp-" + process id + "-" + a number. Such a file is never a whole copy of anything.
bool isTemporaryFile(const std::filesystem::path& file);

// The whole sequence for content at hand: true when `target` now holds exactly `content`.
bool replaceFile(const std::filesystem::path& target, std::string_view content);

}  // namespace atomic_file
