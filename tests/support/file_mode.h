// The permission bits of a file or folder; 0 when it is missing.
#pragma once

#include <sys/stat.h>

#include <filesystem>

inline mode_t modeOf(const std::filesystem::path& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0;
}
