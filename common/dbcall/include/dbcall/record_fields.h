// Moving values between engine rows (UTF-8 texts, 64-bit numbers) and the fixed-layout C
// records of the library interfaces (CP932 texts in fixed fields, 32-bit numbers).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sqlkit/statement.h"

namespace dbcall {

// Where a field lies in its record: a CP932 text of `width` bytes with its terminator, or a
// 32-bit number.
struct FieldPlace {
    std::size_t offset;
    std::size_t width;
    bool isText;
};

// Reads `column` of the current row into the field: a text converted to CP932 and cut at a
// character boundary to fit (NULL reads as ""), a number clamped to 32 bits. `scratch` is
// reused between fields, so reading a row does not allocate per field.
void readField(const sqlkit::Statement& row, int column, void* record, const FieldPlace& field,
               std::string& scratch);

// Binds the field to parameter `index`: a text as stored (at most width - 1 bytes, so it fits
// the field again when read back; NULL when empty), a number as it is.
void bindField(sqlkit::Statement& statement, int index, const void* record,
               const FieldPlace& field);

// The CP932 text of a text field, up to its terminator.
std::string_view fieldText(const void* record, const FieldPlace& field);
std::int32_t fieldNumber(const void* record, const FieldPlace& field);
// Whether two records hold the same value in the field.
bool sameField(const void* a, const void* b, const FieldPlace& field);

// Converts a stored text to CP932 into `out` (reused, so a walk does not allocate per row).
const std::string& cp932(std::string_view utf8, std::string& out);

// A column value as a 32-bit number, clamped.
std::int32_t int32Of(long long value);

}  // namespace dbcall
