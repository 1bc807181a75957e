#include "photo_files.h"

#include <string>

#include "layout/data_folder.h"
#include "sjis/sjis.h"

namespace drugbase {

std::optional<std::filesystem::path> photoFile(const std::filesystem::path& base, int n,
                                               std::string_view stem) {
    // Checked in UTF-8: in CP932 the byte of "\" is also the second byte of some characters.
    const std::string name = sjis::toUtf8(stem);
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) return std::nullopt;
    const bool supplied = n >= 1 && n <= layout::kPhotoFolderCount;
    return (supplied ? layout::photoFolder(base, n) : base) / (name + ".jpg");
}

}  // namespace drugbase
