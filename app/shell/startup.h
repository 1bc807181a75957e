// Start-up of the program before the main window opens: the libraries, the configuration
// folder, the settings file and the phrase tables, in that order.
#pragma once

#include "shell/app_state.h"

namespace shell {

// Title and text shown when the linked SQLite cannot encrypt the data files.
inline constexpr const char* kEngineMissingTitle = "起動エラー";
inline constexpr const char* kEngineMissingText =
    "暗号化データベースエンジン（SQLCipher）がみつかりません。\n"
    "このソフトが動作するためにはSQLCipherがインストールされている必要があります。";
inline constexpr const char* kSettingsMissingTitle = "not found";
inline constexpr const char* kSettingsMissingText =
    "「コンフィグ」フォルダーの「UserFile」が存在しません。新たに作成し直します。";

// Prepares `state` for the program folder `folder`. False when the program must end (the
// operator has been told why); true when the main window may open.
bool startUp(AppState& state, const std::filesystem::path& folder);

// Ends the libraries' sessions at shutdown.
void shutDown();

}  // namespace shell
