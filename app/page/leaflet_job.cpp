#include "page/leaflet_job.h"

#include <algorithm>

#include "ehandbook/handbook_parts.h"
#include "ehandbook/handbook_symbols.h"
#include "ehandbook/handbook_writer.h"
#include "leaflet/page_geometry.h"
#include "page/leaflet_handbook.h"

namespace leaflet {

namespace {

// The symbols of the leaflet's handbook text; empty when the header does not ask for them or
// they cannot be made.
std::vector<ehandbook::QrSymbol> handbookCodes(
    const LeafletHeader& header, std::span<const DrugRecord> entries,
    std::span<const std::optional<Prescribed>> prescribed, QDate date, const QDateTime& made) {
    if (!header.handbookCodes || entries.empty()) return {};
    const QDate dispensed = date.isValid() ? date : made.date();
    const std::string text = ehandbook::handbookText(ehandbook::leafletHandbookInput(
        header, entries, dispensed.toString("yyyyMMdd").toStdString(), prescribed));
    const QDate day = made.date();
    const QTime time = made.time();
    return ehandbook::handbookSymbols(
        text, ehandbook::dataIdAt(day.year(), day.month(), day.day(), time.hour(), time.minute(),
                                  time.second()));
}

}  // namespace

LeafletJob::LeafletJob(LeafletHeader header, const PrintList& list, QDate date, QDateTime made)
    : header_(std::move(header)),
      entries_(list.entries().begin(), list.entries().end()),
      photos_(list.photos().begin(), list.photos().end()),
      codes_(handbookCodes(header_, entries_, list.prescribed(), date, made)),
      codesFailed_(header_.handbookCodes && !entries_.empty() && codes_.empty()),
      composer_(header_, entries_, photos_, table_, date, codes_) {}

PaginateResult LeafletJob::paginate() {
    if (codesFailed_) return PaginateResult::kNoCodes;
    const PaginateResult rows =
        leaflet::paginate(entries_, headerBottom(header_), table_, rowStyle(header_));
    if (rows != PaginateResult::kDone || codes_.empty()) return rows;
    int modules = 0;
    for (const ehandbook::QrSymbol& code : codes_) modules = std::max(modules, code.size);
    return placeCodes(static_cast<int>(codes_.size()), modules, header_, table_);
}

}  // namespace leaflet
