#include "messages.h"

namespace drugbase {

constinit dbcall::MessageChannel messages("drugbase");

void report(dbcall::MessageText message) {
    messages.send(message);
}

void report(dbcall::MessageText message, int count) {
    messages.send(message, count);
}

}  // namespace drugbase
