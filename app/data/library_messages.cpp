#include "data/library_messages.h"

#include "dosagebase.h"
#include "drugbase.h"
#include "patientbase.h"

namespace data {

LibraryMessages::LibraryMessages(Handler handler) : handler_(std::move(handler)) {
    RecordSetMessageHandler(&LibraryMessages::deliver, this);
    LRecordSetMessageHandler(&LibraryMessages::deliver, this);
    DRecordSetMessageHandler(&LibraryMessages::deliver, this);
}

LibraryMessages::~LibraryMessages() {
    RecordSetMessageHandler(nullptr, nullptr);
    LRecordSetMessageHandler(nullptr, nullptr);
    DRecordSetMessageHandler(nullptr, nullptr);
}

void LibraryMessages::deliver(void* self, const char* text) {
    static_cast<LibraryMessages*>(self)->handler_(text ? text : "");
}

}  // namespace data
