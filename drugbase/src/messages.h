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
    // The photograph loader, one per failing step.
    PhotoSizeUnknown,  // "File seems to be empty"
    PhotoAllocate,     // "Could not allocate memory for image"
    PhotoEmpty,        // "Could not lock memory for image"
    PhotoRead,         // "写真を読み込むことが出来ません。…"
    PhotoNotJpeg,      // "Could not load image (hr failure)"
    PhotoNoPicture,    // "Could not load image (pgpPicture failure)"
    // The maintenance imports; the "…Done" texts carry the record count.
    ImportFileOpen,     // "Error:fopenエラー"
    GuidanceSeparator,  // YJHA record without its separator
    GuidanceDone,
    IdentificationSeparator,  // YJSH
    IdentificationDone,
    ProcessingSeparator,  // YJSU
    ProcessingDone,
};

void report(Message message);
// For the messages with a record count.
void report(Message message, int count);

// Installs the receiver of report(); nullptr restores the default (stderr).
void setMessageHandler(DrugMessageHandler handler, void* context);

}  // namespace drugbase
