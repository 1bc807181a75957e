// What the program and leafletadmin say about a folder's key, in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace folderkey {

// A folder whose key is not in this OS user's key store; "%1" is the folder's id.
inline constexpr const char* kMissingKeyTitle = "データ暗号鍵";
inline constexpr const char* kMissingKeyText =
    "このデータフォルダーの暗号鍵がこのコンピューター（ユーザー）にありません。\n"
    "フォルダーID：%1\n\n"
    "データは消えていません。金庫に保管している「データ暗号鍵 回復用シート」の鍵を、管理者が\n"
    "  leafletadmin key import フォルダー 鍵（回復用シートの64桁の英数字）\n"
    "または\n"
    "  leafletadmin key import フォルダー --from-picture 回復用シートのQRコードの写真\n"
    "で取り込んでから、もう一度起動してください。";
// A re-key that could not be finished; "%1" is the reason.
inline constexpr const char* kRekeyFailedText =
    "データファイルを、このデータフォルダー専用の暗号鍵に切り替えられませんでした。\n\n%1";

// `text` with its "%1" replaced by `value`.
inline std::string filledIn(std::string_view text, std::string_view value) {
    const std::size_t at = text.find("%1");
    if (at == std::string_view::npos) return std::string(text);
    std::string out(text.substr(0, at));
    out += value;
    out += text.substr(at + 2);
    return out;
}

}  // namespace folderkey
