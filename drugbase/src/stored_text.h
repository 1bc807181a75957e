// Texts the maintenance calls store: cut to fit their field, converted for the database.
#pragma once

#include <string>
#include <string_view>

#include "columns.h"

namespace drugbase {

// LISTNAME has no DrugRecord field; it is kept to the size of the other text fields.
inline constexpr std::size_t kListNameRoom = 250;

// A CP932 text as stored in a field of `room` bytes: at most room - 1 bytes, cut at a
// character boundary, in UTF-8.
std::string storedText(std::string_view cp932, std::size_t room);

// The same for the DrugRecord field of column `name`.
std::string storedText(std::string_view cp932, const char* name);

}  // namespace drugbase
