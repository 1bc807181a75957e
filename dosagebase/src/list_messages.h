// The messages dosagebase shows, delivered to the handler the caller installed.
#pragma once

#include <string_view>

#include "dbcall/message_channel.h"
#include "dosagebase.h"

namespace dosagebase {

// Each is followed by the file's name in full-width brackets.
namespace Message {
inline constexpr dbcall::MessageText ReadFailed{"フレーズファイルを読み込めませんでした。"};
inline constexpr dbcall::MessageText WriteFailed{"フレーズファイルを保存できませんでした。"};
inline constexpr dbcall::MessageText PharmacyReadFailed{"薬局情報を読み込めませんでした。"};
inline constexpr dbcall::MessageText PharmacyWriteFailed{"薬局情報を保存できませんでした。"};
}  // namespace Message

// Reports `message` about the file named `fileName` (UTF-8).
void report(dbcall::MessageText message, std::string_view fileName);

// The channel every message of the library goes through; DRecordSetMessageHandler installs its
// receiver.
extern dbcall::MessageChannel messages;

}  // namespace dosagebase
