#include "leaflet/print_entry.h"

#include <cstring>
#include <string>

namespace leaflet {

namespace {

std::string_view callerText(const DrugRecord& entry, std::size_t offset, std::size_t width) {
    return sjis::fieldText(entry.callerArea + offset, width);
}

const std::string& fullWidthDollar() {
    static const std::string text = sjis::fromUtf8("＄");
    return text;
}

}  // namespace

DosageSettings dosageOf(const DrugRecord& entry) {
    DosageSettings settings;
    std::memcpy(&settings, entry.callerArea, sizeof settings);
    return settings;
}

void setDosage(DrugRecord& entry, const DosageSettings& settings) {
    std::memcpy(entry.callerArea, &settings, sizeof settings);
}

std::string_view usageText(const DrugRecord& entry) {
    return callerText(entry, offsetof(DosageSettings, usageText), DosageSettings::kUsageWidth);
}

std::string_view amountText(const DrugRecord& entry) {
    return callerText(entry, offsetof(DosageSettings, amountText), DosageSettings::kAmountWidth);
}

std::string_view daysText(const DrugRecord& entry) {
    return callerText(entry, offsetof(DosageSettings, daysText), DosageSettings::kDaysWidth);
}

void setEntryText(char* field, std::size_t width, std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (sjis::isLeadByte(byte) && i + 1 < text.size()) {
            safe += text.substr(i, 2);
            ++i;
        } else if (byte == '$') {
            safe += fullWidthDollar();
        } else {
            safe += text[i];
        }
    }
    sjis::copyField(field, width, safe);
}

void normaliseEntryTexts(DosageSettings& settings) {
    // Copies first: setEntryText writes the field it would otherwise be reading.
    const std::string amount(field(settings.amountText));
    const std::string days(field(settings.daysText));
    const std::string usage(field(settings.usageText));
    setEntryText(settings.amountText, amount);
    setEntryText(settings.daysText, days);
    setEntryText(settings.usageText, usage);
}

std::string_view efficacyText(const DrugRecord& record) {
    return record.SAYO_HYOUJI == 1 ? field(record.SAYO_TOROKU) : field(record.SAYOA);
}

std::string_view cautionText(const DrugRecord& record) {
    return record.CYUUI_HYOUJI == 1 ? field(record.CYUUI_TOROKU) : field(record.CYUUI);
}

}  // namespace leaflet
