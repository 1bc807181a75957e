// Moving column values between catalogue rows and DrugRecord fields.
#pragma once

#include "columns.h"
#include "dbcall/record_fields.h"

namespace drugbase {

using dbcall::cp932;

// Fills every field of `record` that names a column from a row selected with allColumnNames().
// Texts longer than their field are cut at a character boundary; NULL reads as "".
void readRecord(const sqlkit::Statement& row, DrugRecord& record);

// Binds the record's value of column `c` to parameter `index`: texts in stored form (NULL
// when empty), numbers as they are.
void bindField(sqlkit::Statement& statement, int index, const DrugRecord& record, const Column& c);

// The CP932 text of a text field, and the value of a number field.
std::string_view fieldText(const DrugRecord& record, const Column& c);
std::int32_t fieldNumber(const DrugRecord& record, const Column& c);

}  // namespace drugbase
