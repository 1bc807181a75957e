#include "leaflet/page_geometry.h"

#include <algorithm>

#include "leaflet/line_breaking.h"
#include "leaflet/pictogram_rules.h"
#include "leaflet/print_entry.h"

namespace leaflet {

namespace {

int usageLines(const DrugRecord& entry, std::size_t width, const TextWidths& widths) {
    const std::string_view usage = usageText(entry);
    return usage.empty() ? 0 : countLines(usage, width, widths.maxLines);
}

constexpr int kGridLines = 6;
constexpr int kThreeLineUsageMinimum = 10;

int rowLines(const DrugRecord& entry, int usage, RowStyle style) {
    const int pictograms =
        style.pictograms ? pictogramLines(static_cast<int>(pictogramsOf(entry).size())) : 0;
    const TextWidths& w = style.metrics().widths;
    const int generic = style.genericInfo ? kGenericNoteLines : 0;
    return std::max({usage + kGridLines + pictograms + generic,
                     countLines(efficacyText(entry), w.note, w.maxLines),
                     countLines(cautionText(entry), w.note, w.maxLines)});
}

}  // namespace

int headerLineCount(const LeafletHeader& header) {
    int lines = header.prescriber.empty() ? 0 : 1;
    if (header.dispensingPharmacy) {
        lines += header.pharmacyName.empty() ? 0 : 1;
        lines += header.pharmacist.empty() ? 0 : 1;
    }
    return lines;
}

int headerBottom(const LeafletHeader& header) {
    const int lines = headerLineCount(header);
    if (lines == 0) return kHeaderTop;
    return kHeaderTop + kHeaderLineStep * lines - (header.dispensingPharmacy ? 14 : 0);
}

int drawnRowLines(const DrugRecord& entry, RowStyle style) {
    const TextWidths& w = style.metrics().widths;
    const int usage = usageLines(entry, w.usage, w);
    const int lines = rowLines(entry, usage, style);
    return usage == 3 ? std::max(lines, kThreeLineUsageMinimum) : lines;
}

int measuredRowLines(const DrugRecord& entry, RowStyle style) {
    const TextWidths& w = style.metrics().widths;
    return std::max(rowLines(entry, usageLines(entry, w.usageMeasure, w), style),
                    drawnRowLines(entry, style));
}

}  // namespace leaflet
