// The content of each list before its file exists, as lines of the list file format.
#pragma once

#include <span>
#include <string_view>

namespace dosagebase {

// Lines of list `index` (0-4); the prescriber and pharmacist lists start empty.
std::span<const std::string_view> defaultLines(int index);

// Zeroes `table` and fills it with the default content of list `index`.
void fillDefaults(int index, char* table);

}  // namespace dosagebase
