#include "leaflet/note_lines.h"

#include <algorithm>

#include "leaflet/line_breaking.h"
#include "leaflet/print_entry.h"
#include "sjis/sjis.h"

namespace leaflet {

std::vector<std::string> noteLines(std::string_view note, const TextWidths& widths) {
    const std::vector<std::string_view> cut = cutLines(note, widths.note, widths.maxLines);
    std::vector<std::string> lines(cut.begin(), cut.end());
    if (noteIsCut(note, widths)) {
        static const std::string ellipsis = sjis::fromUtf8("…");
        std::string& last = lines.back();
        last.resize(sjis::cutLength(last, widths.note - ellipsis.size()));
        last += ellipsis;
    }
    return lines;
}

bool noteIsCut(std::string_view note, const TextWidths& widths) {
    return countLines(note, widths.note, widths.maxLines) > widths.maxLines;
}

namespace {

// A dosage text shortened to fit its field when it was filled (from a prescription code) ends
// in "…".
bool dosageIsShortened(const DrugRecord& entry) {
    static const std::string ellipsis = sjis::fromUtf8("…");
    for (const std::string_view text : {usageText(entry), amountText(entry), daysText(entry)})
        if (text.ends_with(ellipsis)) return true;
    return false;
}

}  // namespace

std::vector<std::string> drugsWithCutNotes(std::span<const DrugRecord> entries,
                                           const TextWidths& widths) {
    std::vector<std::string> names;
    for (const DrugRecord& entry : entries) {
        if (!noteIsCut(efficacyText(entry), widths) && !noteIsCut(cautionText(entry), widths) &&
            !dosageIsShortened(entry))
            continue;
        const std::string name(field(entry.PRODUCTNAME));
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

}  // namespace leaflet
