#include "dbcall/message_channel.h"

#include <cstdio>
#include <string>

#include "sjis/sjis.h"

namespace dbcall {

void MessageChannel::install(MessageHandler handler, void* context) {
    handler_ = handler;
    context_ = handler ? context : nullptr;
}

void MessageChannel::send(std::string_view utf8) const {
    if (!handler_) {
        std::fprintf(stderr, "%s: %.*s\n", name_, static_cast<int>(utf8.size()), utf8.data());
        return;
    }
    handler_(context_, sjis::fromUtf8(utf8).c_str());
}

void MessageChannel::send(MessageText message, int count) const {
    std::string text(message.utf8);
    if (const auto at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    send(text);
}

}  // namespace dbcall
