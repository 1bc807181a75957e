#include "prescription/record_context.h"

#include "sjis/sjis.h"

namespace prescription {

void RecordContext::warn(std::string_view message) const {
    prescription.warnings.push_back(std::to_string(line) + "行目: " + std::string(message));
}

Rp* RecordContext::findRp(int number) const {
    const auto it = rpIndex.find(number);
    return it == rpIndex.end() ? nullptr : &prescription.rps[it->second];
}

void RecordContext::addRp(Rp rp) const {
    rpIndex.emplace(rp.number, prescription.rps.size());
    prescription.rps.push_back(std::move(rp));
}

std::string quoted(std::string_view cp932) {
    return "「" + sjis::toUtf8(cp932.substr(0, sjis::cutLength(cp932, 30))) + "」";
}

}  // namespace prescription
