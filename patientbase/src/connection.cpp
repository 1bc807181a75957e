// LRecordOpen, LRecordClose and the message-handler setter.
#include "register_messages.h"
#include "register_session.h"

using namespace patientbase;

extern "C" {

PATIENTBASE_API void LRecordSetMessageHandler(PatientMessageHandler handler, void* context) {
    messages.install(handler, context);
}

PATIENTBASE_API int LRecordOpen(const char* folder, void*) {
    // Without encryption, or with a server file it cannot use, the session stays closed and every
    // call fails at the open.
    if (session().attach(folder) == dbcall::Session::Attach::FileMissing)
        report(Message::FileMissing);
    return PATIENTBASE_OK;
}

PATIENTBASE_API void LRecordClose(void) {
    session().detach();
}

}  // extern "C"
