// A folder key and its written forms: the hex a person reads off the recovery sheet or types.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace folderkey {

using Key = std::array<unsigned char, 32>;  // 256 bits

// A new key and a new folder id (32 hex digits) from the system's random source.
Key randomKey();
std::string randomFolderId();

// The key as 64 upper-case hex digits.
std::string hexOf(const Key& key);
// The key for reading aloud or off paper: groups of four digits, eight groups a line.
std::string groupedHex(const Key& key);
// A key typed or read back: 64 hex digits in either case; spaces, line ends and "-" between
// them are skipped. Nothing for any other text.
std::optional<Key> parseKey(std::string_view text);

}  // namespace folderkey
