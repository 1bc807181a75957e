// The "データ保存" command: the operator chooses a folder, the database folder is copied into
// it (asking before each overwrite, with a progress window), and the end is reported.
#pragma once

#include <filesystem>

#include "ui/prompts.h"

class QWidget;

namespace shell {

// Runs the command owned by `owner`. Nothing happens when the operator cancels the folder
// chooser; completion is reported only when every file was copied or kept by choice. On a
// folder that names a data server nothing is copied: the operator is told where the data is and
// how it is backed up.
void runBackup(QWidget* owner, ui::Prompts& prompts, const std::filesystem::path& databaseFolder);

}  // namespace shell
