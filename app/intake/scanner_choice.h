// The serial scanner's port and line speed this terminal last connected with, kept in the
// program folder's コンフィグ/スキャナ.conf ("port=PATH" and "baud=N" lines, UTF-8) so the
// intake dialog opens on them next time. The fixed-layout settings file has no room for a path.
#pragma once

#include <QString>
#include <filesystem>

namespace intake {

struct ScannerChoice {
    QString port;     // empty when none was kept
    qint32 baud = 0;  // 0 when none was kept
};

// The kept choice; empty fields when the file is missing or a line is unusable.
ScannerChoice loadScannerChoice(const std::filesystem::path& programFolder);
// Replaces the kept choice whole; false when the file could not be written (the choice then
// simply is not remembered).
bool saveScannerChoice(const std::filesystem::path& programFolder, const ScannerChoice& choice);

}  // namespace intake
