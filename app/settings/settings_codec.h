// The settings block as the bytes of the file: texts as they are, integers 32-bit little-endian,
// each field at its offset in the block.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "settings/settings_block.h"

namespace settings {

using SettingsImage = std::array<unsigned char, kSettingsFileSize>;

// The file bytes of `block`; options from kStoredOptionCount on are written as zero.
SettingsImage encodeSettings(const SettingsBlock& block);

// The block held by the leading bytes of a file: fields, or parts of fields, that `bytes` does
// not reach are zero, and so are the options from kStoredOptionCount on.
SettingsBlock decodeSettings(std::span<const unsigned char> bytes);

}  // namespace settings
