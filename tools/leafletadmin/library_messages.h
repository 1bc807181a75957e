// Prints the data libraries' messages on a stream while a command runs.
#pragma once

#include <ostream>

#include "dosagebase.h"
#include "drugbase.h"
#include "patientbase.h"
#include "sjis/sjis.h"

namespace admin {

class LibraryMessages {
  public:
    explicit LibraryMessages(std::ostream& to) {
        RecordSetMessageHandler(&print, &to);
        LRecordSetMessageHandler(&print, &to);
        DRecordSetMessageHandler(&print, &to);
    }
    ~LibraryMessages() {
        RecordSetMessageHandler(nullptr, nullptr);
        LRecordSetMessageHandler(nullptr, nullptr);
        DRecordSetMessageHandler(nullptr, nullptr);
    }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

  private:
    static void print(void* stream, const char* cp932) {
        // The libraries' texts break lines with CR LF, as message boxes do.
        std::string text = sjis::toUtf8(cp932);
        std::erase(text, '\r');
        *static_cast<std::ostream*>(stream) << text << "\n";
    }
};

}  // namespace admin
