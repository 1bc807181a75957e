// Prints the drug library's messages on a stream while a command runs.
#pragma once

#include <ostream>

#include "drugbase.h"
#include "sjis/sjis.h"

namespace admin {

class LibraryMessages {
  public:
    explicit LibraryMessages(std::ostream& to) {
        RecordSetMessageHandler(
            [](void* c, const char* t) {
                // The library's texts break lines with CR LF, as message boxes do.
                std::string text = sjis::toUtf8(t);
                std::erase(text, '\r');
                *static_cast<std::ostream*>(c) << text << "\n";
            },
            &to);
    }
    ~LibraryMessages() { RecordSetMessageHandler(nullptr, nullptr); }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;
};

}  // namespace admin
