// Moving register values between rows and PatientRecord fields.
#pragma once

#include <string>

#include "dbcall/record_fields.h"
#include "register_columns.h"

namespace patientbase {

using dbcall::cp932;
using dbcall::int32Of;

// Fills every field of `record` from the row's columns first .. first + 13, selected with
// registerColumnList(). Texts longer than their field are cut at a character boundary; NULL
// reads as "". Values beyond 32 bits are clamped.
void readRecord(const sqlkit::Statement& row, int firstColumn, PatientRecord& record);

// Binds the record's fields, in record order, to the parameters first .. first + 13: texts as
// stored (at most the field width minus one bytes, NULL when empty), numbers as they are.
void bindRecord(sqlkit::Statement& statement, int firstIndex, const PatientRecord& record);

// The names of the fields in which `after` differs from `before`, in record order, separated by
// spaces: what an audit row says of a correction, without the values.
std::string changedFields(const PatientRecord& before, const PatientRecord& after);

// A CP932 text as stored; a NULL pointer is the empty text.
std::string storedText(const char* cp932);

}  // namespace patientbase
