#include "dosage/amount_text.h"

#include "dosage/dosage_forms.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace dosage {

std::string composeAmountText(int amount, std::string_view form) {
    if (amount < 1 || amount > leaflet::kMaxWholeAmount) return {};
    const std::string unit = amountUnit(form);
    if (unit.empty()) return {};
    return composeAmountText(std::to_string(amount), unit);
}

std::string composeAmountText(std::string_view amount, std::string_view unit, AmountPer per) {
    if (amount.empty()) return {};
    static const std::string perDose = sjis::fromUtf8("用量　１回");
    static const std::string perDay = sjis::fromUtf8("用量　１日");
    const std::string& prefix = per == AmountPer::kDose ? perDose : perDay;
    std::string text = prefix + sjis::toFullWidth(amount) + std::string(unit);
    if (text.size() >= leaflet::DosageSettings::kAmountWidth) {
        text = prefix + std::string(amount) + std::string(unit);
    }
    return text;
}

}  // namespace dosage
