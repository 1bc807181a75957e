// The texts and colours of the drug dialog and the photo selection dialog, in one place.
#pragma once

#include <QColor>

namespace drugs::texts {

inline constexpr const char* kViewTitle = "薬剤の詳細";
inline constexpr const char* kCorrectTitle = "薬剤の訂正";
inline constexpr const char* kRegisterTitle = "薬剤の登録";
inline constexpr const char* kPhotoTitle = "写真選択画面";
inline constexpr const char* kCorrectInViewNote =
    "薬剤情報の訂正や写真の変更を行う場合は、「薬剤の訂正」ボタンからこのウィンドウを開き行って"
    "下さい。";

inline constexpr const char* kRequiredTitle = "必須項目";
inline constexpr const char* kWarningTitle = "警告";
inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kNameMissing = "薬剤名を入力して下さい。";
inline constexpr const char* kYjcodeMissing = "YJコードを入力して下さい。";
inline constexpr const char* kYjcodeMissingOnRegister =
    "YJコードを入力して下さい。\r\n（YJコードはデータベース上で薬剤を識別するのに必要となります。"
    "ユーザー任意の12桁以内の英数字データを入力して下さい。）";
inline constexpr const char* kCodeMissing = "Ｎコードを入力して下さい。";
inline constexpr const char* kYjcodeTaken =
    "そのＹＪコードは他の薬剤で既に使用されています。ＹＪコードを変更して下さい。";
inline constexpr const char* kYjcodeForm = "ＹＪコードは半角の英字と数字１２文字で入力して下さい。";
inline constexpr const char* kCodeTaken =
    "入力されたＮコードは他の薬剤で既に使用されています。Ｎコードを変更して下さい。";
inline constexpr const char* kDatabaseFailure = "データベースに異常があります。";

inline constexpr const char* kBrowseTitle = "写真を選んで下さい";
inline constexpr const char* kJpegFilter = "JPEG (*.jpg)";
inline constexpr const char* kPathNotStorable =
    "このファイルの場所は登録できません。ユーザー写真フォルダに置いてから選んで下さい。";
inline constexpr const char* kPathTitle = "写真";
// The picture is kept in the catalogue, so its size is capped (data::kMaxUserPhotoBytes).
inline constexpr const char* kPhotoTooLarge =
    "写真のファイルが大きすぎます。8MB以下のJPEGファイルを選んで下さい。";
// %1: the file chosen.
inline constexpr const char* kPhotoUnreadable =
    "%1\r\n\r\nこのファイルは写真として読み込めませんでした。正しいJPEG形式のファイルか確認して"
    "下さい。";

inline const QColor kViewBackground(206, 230, 219);
inline const QColor kEditBackground(224, 210, 193);
inline const QColor kPhotoViewBackground(200, 227, 210);
inline const QColor kUnusedUserBox(210, 210, 210);

}  // namespace drugs::texts
