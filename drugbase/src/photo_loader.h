// Loading a photograph file for drawing, reporting why when it cannot be loaded.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "picture.h"

namespace drugbase {

// Files larger than this are not read into memory.
inline constexpr std::uintmax_t kMaxPhotoFileBytes = 256u << 20;

// Reads and decodes the JPEG file, reduced for drawing at the photo size. A file that does not
// exist (or is not a regular file) gives nothing silently; every other failure reports the
// loader's message of the step that failed and gives nothing.
std::optional<Picture> loadPhoto(const std::filesystem::path& file);

// Decodes JPEG bytes (a file's whole contents) as loadPhoto does once the file is read.
std::optional<Picture> decodePhoto(std::string_view bytes);

}  // namespace drugbase
