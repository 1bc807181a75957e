// Converting between a phrase table and the text of its list file (the format is described in
// dosagebase.h): one UTF-8 line per slot, "---" for a separator, a leading backslash as escape.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "dosagebase.h"

namespace dosagebase {

inline constexpr std::string_view kSeparatorLine = "---";

// Fills one slot of DOSAGEBASE_SLOT_SIZE bytes from one line of the file.
void lineToSlot(std::string_view line, char* slot);

// The file line for one slot; empty for an empty slot.
std::string slotToLine(const char* slot);

// Zeroes `table` and fills it from the lines of `in`, ignoring lines after the last slot.
void readTable(std::istream& in, char* table);

// The whole file text of `table`; the empty slots at its end are left out.
std::string formatTable(const char* table);

}  // namespace dosagebase
