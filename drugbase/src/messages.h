// The messages drugbase shows, delivered to the message handler the caller installed. The
// failures of the data calls are dbcall::Failure, reported through the session.
#pragma once

#include "dbcall/message_channel.h"
#include "drugbase.h"

namespace drugbase {

namespace Message {
inline constexpr dbcall::MessageText FileMissing{"薬剤ファイルがありません。"};
// The photograph loader, one per failing step.
inline constexpr dbcall::MessageText PhotoSizeUnknown{"File seems to be empty"};
inline constexpr dbcall::MessageText PhotoAllocate{"Could not allocate memory for image"};
inline constexpr dbcall::MessageText PhotoEmpty{"Could not lock memory for image"};
inline constexpr dbcall::MessageText PhotoRead{
    "写真を読み込むことが出来ません。正しいJPEG形式のファイルか確認して下さい。"};
inline constexpr dbcall::MessageText PhotoNotJpeg{"Could not load image (hr failure)"};
inline constexpr dbcall::MessageText PhotoNoPicture{"Could not load image (pgpPicture failure)"};
// A user photograph file over DRUGBASE_USER_PHOTO_MAX_BYTES, refused before it is stored.
inline constexpr dbcall::MessageText UserPhotoTooLarge{
    "写真のファイルが大きすぎます。8MB以下のJPEGファイルを選んで下さい。"};
// The maintenance imports; the "…Done" texts carry the record count.
inline constexpr dbcall::MessageText ImportFileOpen{"Error:fopenエラー"};
inline constexpr dbcall::MessageText GuidanceSeparator{
    "Error:服薬指導CDテキストデータ\r\nファイル名「YJHA507.K3」\r\n\r\n読み込み失敗"};
inline constexpr dbcall::MessageText GuidanceDone{
    "服薬指導CDテキストデータ\r\nファイル名「YJHA0507.K3」\r\n\r\nレコード総数 "
    "%d件\r\n"
    "読み込み完了"};
inline constexpr dbcall::MessageText IdentificationSeparator{
    "Error:識別コードデータ\r\nファイル名「YJSH.K3」\r\n\r\n読み込み失敗"};
inline constexpr dbcall::MessageText IdentificationDone{
    "識別コードデータ\r\nYJSH\r\n\r\nレコード総数 %d件\r\n読み込み完了"};
inline constexpr dbcall::MessageText ProcessingSeparator{
    "Error:処理用データ\r\nファイル名「YJSU0412.K3」\r\n\r\n読み込み失敗"};
inline constexpr dbcall::MessageText ProcessingDone{
    "処理用データ\r\nファイル名「YJSU0412.K3」\r\n\r\nレコード総数 %d件\r\n"
    "読み込み完了"};
}  // namespace Message

void report(dbcall::MessageText message);
// For the messages with a record count.
void report(dbcall::MessageText message, int count);

// The channel every message of the library goes through; RecordSetMessageHandler installs
// its receiver.
extern dbcall::MessageChannel messages;

}  // namespace drugbase
