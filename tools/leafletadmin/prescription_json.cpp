#include "prescription_json.h"

#include <cstdio>

#include "sjis/sjis.h"

namespace admin {
namespace {

using namespace prescription;

// A JSON string of a UTF-8 text.
std::string quoted(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A JSON string of a CP932 text.
std::string text(std::string_view cp932) {
    return quoted(sjis::toUtf8(cp932));
}

// "YYYY-MM-DD", "YYYY-MM" or "YYYY" as far as the date is known; "" when it is not.
std::string date(const PartialDate& d) {
    if (!d.known()) return quoted("");
    char buffer[16];
    if (d.day) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    } else if (d.month) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d", d.year, d.month);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d", d.year);
    }
    return quoted(buffer);
}

const char* sexName(Sex sex) {
    switch (sex) {
        case Sex::kMale:
            return "male";
        case Sex::kFemale:
            return "female";
        default:
            return "";
    }
}

const char* methodName(MatchMethod method) {
    switch (method) {
        case MatchMethod::kYjCode:
            return "yj_code";
        case MatchMethod::kReceiptCode:
            return "receipt_code";
        case MatchMethod::kGeneralNameCode:
            return "general_name_code";
        case MatchMethod::kName:
            return "name";
        case MatchMethod::kUnmatched:
            break;
    }
    return "unmatched";
}

const char* mealName(std::uint8_t meal) {
    switch (meal) {
        case leaflet::kBeforeMeals:
            return "before";
        case leaflet::kBetweenMeals:
            return "between";
        case leaflet::kAfterMeals:
            return "after";
        default:
            return "";
    }
}

// A timing amount as a number of units: 0, 1 ... 50, or n.5.
std::string timingAmount(std::uint8_t value) {
    if (value < leaflet::kHalfBase) return std::to_string(value);
    return std::to_string(value - leaflet::kHalfBase) + ".5";
}

std::string drugObject(const CatalogueDrug& drug) {
    return "{\"yj_code\": " + text(drug.yjCode) + ", \"product_name\": " + text(drug.productName) +
           ", \"form\": " + text(drug.form) + "}";
}

std::string matchObject(const DrugMatch& match) {
    std::string out = "{\"method\": " + quoted(methodName(match.method)) +
                      ", \"description\": " + quoted(matchDescription(match)) +
                      ", \"yj_code\": " + text(match.drug ? match.drug->yjCode : "") +
                      ", \"product_name\": " + text(match.drug ? match.drug->productName : "") +
                      ", \"candidates\": [";
    for (std::size_t i = 0; i < match.candidates.size(); ++i)
        out += (i ? ", " : "") + drugObject(match.candidates[i]);
    return out + "]}";
}

// A JSON array of texts.
std::string quotedList(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + quoted(texts[i]);
    return out + "]";
}

std::string entryObject(const IntakeDrug& entry) {
    const leaflet::DosageSettings& s = entry.dosage.settings;
    std::string timings;
    for (int slot = 0; slot < leaflet::kTimingCount; ++slot)
        timings += (slot ? ", " : "") + timingAmount(s.timings[slot]);
    return "    {\"rp\": " + std::to_string(entry.rp->number) +
           ", \"serial\": " + std::to_string(entry.drug->serial) +
           ", \"code_kind\": " + std::to_string(entry.drug->codeKind) +
           ", \"code\": " + text(entry.drug->code) + ", \"name\": " + text(entry.drug->name) +
           ",\n     \"match\": " + matchObject(entry.match) +
           ",\n     \"in_print_list\": " + (entry.inPrintList ? "true" : "false") +
           ", \"checks\": " + quotedList(entry.drug->checks) + ", \"timings\": [" + timings +
           "], \"meal_timing\": " + quoted(mealName(s.mealTiming)) +
           ",\n     \"usage\": " + text(sjis::fieldText(s.usageText, sizeof s.usageText)) +
           ", \"amount\": " + text(sjis::fieldText(s.amountText, sizeof s.amountText)) +
           ", \"days\": " + text(sjis::fieldText(s.daysText, sizeof s.daysText)) + "}";
}

}  // namespace

std::string intakeJson(const Prescription& p, const Intake& intake) {
    std::string out = "{\n  \"version\": " + std::to_string(p.version) + ",\n";
    out += "  \"patient\": {\"name\": " + text(p.patient.name) +
           ", \"kana\": " + text(p.patient.kanaName) +
           ", \"sex\": " + quoted(sexName(p.patient.sex)) +
           ", \"birth\": " + date(p.patient.birth) + "},\n";
    out += "  \"prescriber\": {\"institution\": " + text(p.institution.name) +
           ", \"doctor\": " + text(p.prescriber.name) + ", \"text\": " + text(prescriberText(p)) +
           "},\n";
    out += "  \"date\": " + date(p.issued) + ",\n  \"drugs\": [\n";
    for (std::size_t i = 0; i < intake.drugs.size(); ++i)
        out += (i ? ",\n" : "") + entryObject(intake.drugs[i]);
    out += "\n  ],\n  \"left_out_for_room\": " + std::to_string(intake.leftOutForRoom) +
           ",\n  \"warnings\": " + quotedList(p.warnings);
    return out + "\n}\n";
}

}  // namespace admin
