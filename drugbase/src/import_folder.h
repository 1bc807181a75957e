// Where the maintenance imports find the supplied K3 files.
#pragma once

#include <filesystem>

namespace drugbase {

// The K3 files, relative to the import folder, as the supplied data disc lays them out.
inline constexpr const char* kGuidanceFile = "7服薬指導CDテキストデータ/YJHA0601.K3";
inline constexpr const char* kIdentificationFile = "2識別コードデータ/YJSH0410.K3";
inline constexpr const char* kProcessingFile = "4処理用データ/YJSU0601.K3";
inline constexpr const char* kClassNameFile = "4処理用データ/Saibun.K3";

// Set by RecordSetImportFolder; empty until then.
std::filesystem::path& importFolder();

// The file in the import folder; empty (so that it cannot be opened) while no folder is set.
std::filesystem::path importFile(const char* relative);

}  // namespace drugbase
