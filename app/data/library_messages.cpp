#include "data/library_messages.h"

#include "dosagebase.h"
#include "drugbase.h"
#include "patientbase.h"

namespace data {

LibraryMessages::LibraryMessages(Handler handler)
    : handler_(std::move(handler)), previous_(routed_) {
    route(this);
}

LibraryMessages::~LibraryMessages() {
    route(previous_);
}

void LibraryMessages::route(LibraryMessages* to) {
    routed_ = to;
    const auto deliver = to ? &LibraryMessages::deliver : nullptr;
    RecordSetMessageHandler(deliver, to);
    LRecordSetMessageHandler(deliver, to);
    DRecordSetMessageHandler(deliver, to);
}

void LibraryMessages::deliver(void* self, const char* text) {
    static_cast<LibraryMessages*>(self)->handler_(text ? text : "");
}

}  // namespace data
