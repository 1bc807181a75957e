// Where the photograph files of a drug are.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace drugbase {

// The file <base>/薬剤写真/PHOTOn/<stem>.jpg for n = 1 ... 6, or <base>/<stem>.jpg for any other
// n. `stem` is CP932 (a YJ code). Nothing when the stem is empty or holds a path separator,
// so a code can never reach outside its folder.
std::optional<std::filesystem::path> photoFile(const std::filesystem::path& base, int n,
                                               std::string_view stem);

}  // namespace drugbase
