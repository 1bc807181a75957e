// Marking which supplied photographs the catalogue has, as a supplied photo set does. Used by
// the sample photograph tool.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <string>

namespace drugbase {

struct SuppliedPhotos {
    std::array<bool, 6> folders{};  // PHOTO1 ... PHOTO6
    int shown = 0;                  // PHOTO_HYOUJI
};

// Sets PHOTO1 ... PHOTO6 and PHOTO_HYOUJI of the drugs with these YJ codes (UTF-8) in one
// transaction; all of them or, with the reason, none. Codes no drug has are left out.
bool markSuppliedPhotos(const std::filesystem::path& dataFolder,
                        const std::map<std::string, SuppliedPhotos>& photos, std::string* error);

}  // namespace drugbase
