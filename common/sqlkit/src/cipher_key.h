// Raw-key derivation for SQLCipher files, cached per password and salt.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sqlkit::detail {

// The "x'<64 hex digits>'" key SQLCipher derives from `password` for the file's salt (its
// first 16 bytes), or nothing when the file is shorter than a salt or cannot be read.
std::optional<std::string> rawKeyFor(const std::filesystem::path& file, std::string_view password);

}  // namespace sqlkit::detail
