// The messages dosagebase shows, delivered to the handler the caller installed.
#pragma once

#include <string_view>

#include "dosagebase.h"

namespace dosagebase {

enum class Message {
    ReadFailed,   // "フレーズファイルを読み込めませんでした。（<file>）"
    WriteFailed,  // "フレーズファイルを保存できませんでした。（<file>）"
};

// Reports `message` about the list file named `fileName` (UTF-8).
void report(Message message, std::string_view fileName);

// Installs the receiver of report(); nullptr restores the default (stderr).
void setMessageHandler(DosageMessageHandler handler, void* context);

}  // namespace dosagebase
