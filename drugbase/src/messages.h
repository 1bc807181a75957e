// The messages drugbase shows, delivered to the message handler the caller installed.
#pragma once

#include "drugbase.h"

namespace drugbase {

enum class Message {
    FileMissing,    // "薬剤ファイルがありません。"
    DatabaseOpen,   // "Error:DATABASE.Open"
    RecordsetOpen,  // "Error:Could not RECORDSET.Open"
    TableOpen,      // "Error:RECORDSET.Open"
    Find,           // "Error:RECORDSET.Find"
    Update,         // "Error:RECORDSET.Update"
};

void report(Message message);

// Installs the receiver of report(); nullptr restores the default (stderr).
void setMessageHandler(DrugMessageHandler handler, void* context);

}  // namespace drugbase
