// LRecordAuditNote: the audit row of a print, a PDF or a phrase-list file, written in a
// transaction of its own right after the thing it records (which is not in the data).
#include <cstring>

#include "register_session.h"

using namespace patientbase;

extern "C" {

PATIENTBASE_API int LRecordAuditNote(const char* action, int id, const char* detail) {
    constexpr std::size_t kLongest = 200;
    if (!action || !*action) return PATIENTBASE_DB_FAILURE;
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    const audit::Entry entry{std::string_view(action, strnlen(action, kLongest)), id,
                             detail ? std::string(detail, strnlen(detail, kLongest)) : ""};
    return outcome(call.record(entry) && call.commit());
}

}  // extern "C"
