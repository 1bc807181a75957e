// Registering a patient, the writing call behind LRecordCreate; also used by leafletadmin, which
// reads the engine's text of a failure from the session.
#pragma once

#include "register_columns.h"
#include "register_session.h"

namespace patientbase {

// The parameter of the registration stamp after the register fields, in the insert and the edit.
inline constexpr int kStampIndex = kRegisterFieldCount + 1;

// Found when some patient has `id`, after "Error:ID.Duplicate"; prepare failures report
// `onPrepareFailure`.
Lookup idTaken(WriteCall& call, int id, dbcall::MessageText onPrepareFailure);

// Adds the patient with the registration stamp now, unless the ID is taken. PATIENTBASE_OK, or
// PATIENTBASE_CREATE_FAILED after the library's message.
int createPatient(const PatientRecord* record);

}  // namespace patientbase
