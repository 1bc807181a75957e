#include "dosage/amount_text.h"

#include "dosage/dosage_forms.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace dosage {

std::string composeAmountText(int amount, std::string_view form) {
    if (amount < 1 || amount > leaflet::kMaxWholeAmount) return {};
    const std::string unit = amountUnit(form);
    if (unit.empty()) return {};
    static const std::string prefix = sjis::fromUtf8("用量　１回");
    const std::string digits = std::to_string(amount);
    std::string text = prefix + sjis::toFullWidth(digits) + unit;
    if (text.size() >= leaflet::DosageSettings::kAmountWidth) text = prefix + digits + unit;
    return text;
}

}  // namespace dosage
