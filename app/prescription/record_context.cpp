#include "prescription/record_context.h"

#include "sjis/sjis.h"

namespace prescription {

void RecordContext::warn(std::string_view message) const {
    prescription.warnings.push_back(std::to_string(line) + "行目: " + std::string(message));
}

std::string quoted(std::string_view cp932) {
    return "「" + sjis::toUtf8(cp932.substr(0, sjis::cutLength(cp932, 30))) + "」";
}

}  // namespace prescription
