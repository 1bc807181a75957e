// The messages patientbase shows, delivered to the message handler the caller installed. The
// failures of the data calls are dbcall::Failure, reported through the session.
#pragma once

#include "dbcall/message_channel.h"
#include "patientbase.h"

namespace patientbase {

// The channel every message of the library goes through; LRecordSetMessageHandler installs
// its receiver.
extern dbcall::MessageChannel messages;

void report(dbcall::MessageText message);

namespace Message {
inline constexpr dbcall::MessageText FileMissing{"患者ファイルがありません。"};
inline constexpr dbcall::MessageText DuplicateId{"Error:ID.Duplicate"};
inline constexpr dbcall::MessageText BlockLength{"Error:RIREKI.Length"};
}  // namespace Message

}  // namespace patientbase
