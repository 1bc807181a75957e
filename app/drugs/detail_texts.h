// Which efficacy and caution texts of a drug are shown and printed.
#pragma once

#include <string>

#include "drugbase.h"

namespace drugs {

// Deletes every "●" and then every "★" from a CP932 field in place (the rest moves up).
// Only whole characters are removed: the bytes of a mark inside two other characters stay.
void removeMarks(char* field, std::size_t width);

// SAYO_TOROKU when SAYO_HYOUJI is 1, else SAYOA.
std::string efficacyText(const DrugRecord& record);

// CYUUI_TOROKU when CYUUI_HYOUJI is 1, else CYUUI without its marks.
std::string cautionText(const DrugRecord& record);

}  // namespace drugs
