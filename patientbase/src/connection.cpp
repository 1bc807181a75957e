// LRecordOpen, LRecordClose and the message-handler setter.
#include <filesystem>

#include "columns.h"
#include "messages.h"
#include "session.h"

using namespace patientbase;

extern "C" {

PATIENTBASE_API void LRecordSetMessageHandler(PatientMessageHandler handler, void* context) {
    setMessageHandler(handler, context);
}

PATIENTBASE_API int LRecordOpen(const char* folder, void*) {
    Session& s = session();
    s.ready = false;
    s.file = std::filesystem::path(folder ? folder : "") / kFileName;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(s.file, ec)) {
        report(Message::FileMissing);
        return 0;
    }
    // Without encryption the patient data would be read and written in clear: refuse to work.
    s.ready = sqlkit::cipherAvailable();
    return 0;
}

PATIENTBASE_API void LRecordClose(void) {
    session().ready = false;
}

}  // extern "C"
