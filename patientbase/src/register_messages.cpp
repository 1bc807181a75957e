#include "register_messages.h"

namespace patientbase {

constinit dbcall::MessageChannel messages("patientbase");

void report(dbcall::MessageText message) {
    messages.send(message);
}

}  // namespace patientbase
