// Start-up of the program before the main window opens: the data server when the database
// folder names one, the libraries, the configuration folder, the settings file and the phrase
// tables, in that order.
#pragma once

#include "desk/desk.h"

namespace shell {

// Title and text shown when the linked SQLite cannot encrypt the data files.
inline constexpr const char* kEngineMissingTitle = "起動エラー";
inline constexpr const char* kEngineMissingText =
    "暗号化データベースエンジン（SQLCipher）がみつかりません。\n"
    "このソフトが動作するためにはSQLCipherがインストールされている必要があります。";
inline constexpr const char* kSettingsMissingTitle = "not found";
inline constexpr const char* kSettingsMissingText =
    "「コンフィグ」フォルダーの「UserFile」が存在しません。新たに作成し直します。";

// Title and texts shown when the database folder names a data server that cannot be worked
// on; "%1" is where the connection string points, "%2" the reason in the engine's words.
inline constexpr const char* kServerProblemTitle = "データベースサーバー";
inline constexpr const char* kServerUnreachableText =
    "データベースサーバーに接続できません。\n接続先：%1\n\n%2\n\n"
    "サーバーが動いているか、ネットワークと「データベース」フォルダーの接続先.confを"
    "確かめてください。";
inline constexpr const char* kServerNoTablesText =
    "データベースサーバーにこのソフトのデータがないか、読み書きする権限がありません。\n"
    "接続先：%1\n\n%2\n\n"
    "管理者が leafletadmin server-init で表を作り、grant-server で権限を与えてください。";
// "%3" is the version of the server's tables, "%4" the version this program works with.
inline constexpr const char* kServerVersionText =
    "データベースサーバーのデータの版（%3）が、このソフトの版（%4）と合いません。\n"
    "接続先：%1\n\n"
    "サーバーの版が古いときは、管理者が leafletadmin server-upgrade でサーバーを新しい版に"
    "してください。サーバーの版が新しいときは、このソフトを新しい版に更新してください。";
// "%1" where the server is, "%2" the sslmode written.
inline constexpr const char* kServerUnverifiedText =
    "データベースサーバーの証明書を確かめずに接続します（sslmode=%2）。\n接続先：%1\n\n"
    "通信相手がこのサーバーであることを確かめられません。管理者が接続先.confに "
    "sslmode=verify-full とサーバーの証明書を発行した認証局の証明書（sslrootcert）を指定して"
    "ください。";
inline constexpr const char* kServerFileText =
    "「データベース」フォルダーの接続先.confを使えません。\n\n%2";

// Prepares `state` for the program folder `folder`. False when the program must end (the
// operator has been told why); true when the main window may open.
bool startUp(desk::Desk& desk, const std::filesystem::path& folder);

// Ends the libraries' sessions at shutdown.
void shutDown();

}  // namespace shell
