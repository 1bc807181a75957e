// The messages patientbase shows, delivered to the message handler the caller installed.
#pragma once

#include "patientbase.h"

namespace patientbase {

enum class Message {
    FileMissing,    // "患者ファイルがありません。"
    DatabaseOpen,   // "Error:DATABASE.Open"
    RecordsetOpen,  // "Error:Could not RECORDSET.Open"
    TableOpen,      // "Error:RECORDSET.Open"
    Find,           // "Error:RECORDSET.Find"
    Update,         // "Error:RECORDSET.Update"
    DuplicateId,    // "Error:ID.Duplicate"
    BlockLength,    // "Error:RIREKI.Length"
};

void report(Message message);

// Installs the receiver of report(); nullptr restores the default (stderr).
void setMessageHandler(PatientMessageHandler handler, void* context);

}  // namespace patientbase
