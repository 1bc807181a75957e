// The user settings file コンフィグ/Userfile.e: read once at start into the process-wide
// settings block and written back whole after every change. Failures come back to the caller as
// the message to show; this module shows nothing itself.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/settings_block.h"

namespace settings {

// Title of every settings message (shown with the warning icon).
inline constexpr std::string_view kSettingsMessageTitle = "エラー";

// How a load or save ended: an empty message when it worked, else the text (UTF-8) to show.
struct SettingsResult {
    std::string message;
    bool ok() const { return message.empty(); }
};

// <start folder>/コンフィグ/Userfile.e.
std::filesystem::path settingsFilePath(const std::filesystem::path& startFolder);

// Zeroes `block` and fills it from the file, which is created empty when it does not exist.
// A file shorter than the block fills what it holds; everything else stays zero, and only the
// first SettingsBlock::kStoredOptionCount options are read. On failure `block` is all zero.
SettingsResult loadSettings(const std::filesystem::path& file, SettingsBlock& block);

// Writes the whole block (options from kStoredOptionCount on as zero) to a temporary file in the
// file's folder and renames it over the file, so a failed save leaves the previous file whole.
SettingsResult saveSettings(const std::filesystem::path& file, const SettingsBlock& block);

}  // namespace settings
