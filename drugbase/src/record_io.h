// Moving column values between SQLite rows (UTF-8) and DrugRecord fields (CP932).
#pragma once

#include <string>

#include "columns.h"
#include "sqlkit/sqlkit.h"

namespace drugbase {

// Fills every field of `record` that names a column from a row selected with allColumnNames().
// Texts longer than their field are cut at a character boundary; NULL reads as "".
void readRecord(const sqlkit::Statement& row, DrugRecord& record);

// Binds the record's value of column `c` to parameter `index`: texts in stored form (NULL
// when empty), numbers as they are.
void bindField(sqlkit::Statement& statement, int index, const DrugRecord& record, const Column& c);

// The CP932 text of a text field, up to its terminator.
std::string_view fieldText(const DrugRecord& record, const Column& c);

// Converts a stored text to CP932 into `out` (reused buffer, so a walk does not allocate).
const std::string& cp932(std::string_view utf8, std::string& out);

}  // namespace drugbase
