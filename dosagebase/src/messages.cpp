#include "messages.h"

#include <cstdio>
#include <string>

#include "sjis/sjis.h"

namespace dosagebase {
namespace {

void writeToStderr(void*, const char* text) {
    std::fprintf(stderr, "dosagebase: %s\n", sjis::toUtf8(text).c_str());
}

DosageMessageHandler handler = writeToStderr;
void* handlerContext = nullptr;

const char* utf8Text(Message message) {
    switch (message) {
        case Message::ReadFailed:
            return "フレーズファイルを読み込めませんでした。";
        case Message::WriteFailed:
            return "フレーズファイルを保存できませんでした。";
    }
    return "";
}

}  // namespace

void setMessageHandler(DosageMessageHandler h, void* context) {
    handler = h ? h : writeToStderr;
    handlerContext = h ? context : nullptr;
}

void report(Message message, std::string_view fileName) {
    const std::string utf8 = std::string(utf8Text(message)) + "（" + std::string(fileName) + "）";
    handler(handlerContext, sjis::fromUtf8(utf8).c_str());
}

}  // namespace dosagebase
