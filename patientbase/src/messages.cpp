#include "messages.h"

#include <cstdio>
#include <string>

#include "sjis/sjis.h"

namespace patientbase {
namespace {

void writeToStderr(void*, const char* text) {
    std::fprintf(stderr, "patientbase: %s\n", sjis::toUtf8(text).c_str());
}

PatientMessageHandler handler = writeToStderr;
void* handlerContext = nullptr;

const char* utf8Text(Message message) {
    switch (message) {
        case Message::FileMissing:
            return "患者ファイルがありません。";
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
        case Message::DuplicateId:
            return "Error:ID.Duplicate";
        case Message::BlockLength:
            return "Error:RIREKI.Length";
    }
    return "";
}

}  // namespace

void setMessageHandler(PatientMessageHandler h, void* context) {
    handler = h ? h : writeToStderr;
    handlerContext = h ? context : nullptr;
}

void report(Message message) {
    const std::string text = sjis::fromUtf8(utf8Text(message));
    handler(handlerContext, text.c_str());
}

}  // namespace patientbase
