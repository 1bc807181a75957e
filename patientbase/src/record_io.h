// Moving register values between SQLite rows (UTF-8) and PatientRecord fields (CP932).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "columns.h"
#include "sqlkit/sqlkit.h"

namespace patientbase {

// Fills every field of `record` from the row's columns first .. first + 13, selected with
// registerColumnList(). Texts longer than their field are cut at a character boundary; NULL
// reads as "". Values beyond 32 bits are clamped.
void readRecord(const sqlkit::Statement& row, int firstColumn, PatientRecord& record);

// Binds the record's fields, in record order, to the parameters first .. first + 13: texts as
// stored (at most the field width minus one bytes, NULL when empty), numbers as they are.
void bindRecord(sqlkit::Statement& statement, int firstIndex, const PatientRecord& record);

// CP932 <-> stored UTF-8 for a text crossing the boundary; a NULL pointer is the empty text.
std::string storedText(const char* cp932);
// Converts a stored text to CP932 into `out` (reused, so a walk does not allocate per row).
const std::string& cp932(std::string_view utf8, std::string& out);

// A column value as a 32-bit number, clamped.
std::int32_t int32Of(long long value);

}  // namespace patientbase
