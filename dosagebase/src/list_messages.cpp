#include "list_messages.h"

#include <string>

namespace dosagebase {

constinit dbcall::MessageChannel messages("dosagebase");

void report(dbcall::MessageText message, std::string_view fileName) {
    messages.send(std::string(message.utf8) + "（" + std::string(fileName) + "）");
}

}  // namespace dosagebase
