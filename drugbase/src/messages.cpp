#include "messages.h"

#include <cstdio>
#include <string>

#include "drugbase.h"
#include "sjis/sjis.h"

namespace drugbase {
namespace {

void writeToStderr(void*, const char* text) {
    std::fprintf(stderr, "drugbase: %s\n", sjis::toUtf8(text).c_str());
}

DrugMessageHandler handler = writeToStderr;
void* handlerContext = nullptr;

const char* utf8Text(Message message) {
    switch (message) {
        case Message::FileMissing:
            return "薬剤ファイルがありません。";
        case Message::DatabaseOpen:
            return "Error:DATABASE.Open";
        case Message::RecordsetOpen:
            return "Error:Could not RECORDSET.Open";
        case Message::TableOpen:
            return "Error:RECORDSET.Open";
        case Message::Find:
            return "Error:RECORDSET.Find";
        case Message::Update:
            return "Error:RECORDSET.Update";
        case Message::PhotoSizeUnknown:
            return "File seems to be empty";
        case Message::PhotoAllocate:
            return "Could not allocate memory for image";
        case Message::PhotoEmpty:
            return "Could not lock memory for image";
        case Message::PhotoRead:
            return "写真を読み込むことが出来ません。正しいJPEG形式のファイルか確認して下さい。";
        case Message::PhotoNotJpeg:
            return "Could not load image (hr failure)";
        case Message::PhotoNoPicture:
            return "Could not load image (pgpPicture failure)";
        case Message::ImportFileOpen:
            return "Error:fopenエラー";
        case Message::GuidanceSeparator:
            return "Error:服薬指導CDテキストデータ\r\nファイル名「YJHA507.K3」\r\n\r\n読み込み失敗";
        case Message::GuidanceDone:
            return "服薬指導CDテキストデータ\r\nファイル名「YJHA0507.K3」\r\n\r\nレコード総数 "
                   "%d件\r\n"
                   "読み込み完了";
        case Message::IdentificationSeparator:
            return "Error:識別コードデータ\r\nファイル名「YJSH.K3」\r\n\r\n読み込み失敗";
        case Message::IdentificationDone:
            return "識別コードデータ\r\nYJSH\r\n\r\nレコード総数 %d件\r\n読み込み完了";
        case Message::ProcessingSeparator:
            return "Error:処理用データ\r\nファイル名「YJSU0412.K3」\r\n\r\n読み込み失敗";
        case Message::ProcessingDone:
            return "処理用データ\r\nファイル名「YJSU0412.K3」\r\n\r\nレコード総数 %d件\r\n"
                   "読み込み完了";
    }
    return "";
}

}  // namespace

void setMessageHandler(DrugMessageHandler h, void* context) {
    handler = h ? h : writeToStderr;
    handlerContext = h ? context : nullptr;
}

void report(Message message) {
    const std::string text = sjis::fromUtf8(utf8Text(message));
    handler(handlerContext, text.c_str());
}

void report(Message message, int count) {
    std::string text = utf8Text(message);
    if (const auto at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    text = sjis::fromUtf8(text);
    handler(handlerContext, text.c_str());
}

}  // namespace drugbase
