// One leaflet as the preview, the printer and a PDF see it: the header, a copy of the print list
// made when the job was made (so that a preview keeps showing the leaflet it opened with even
// when printing from it clears the list), the e-medication-handbook codes when the header asks
// for them, and the pagination of it all.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QImage>
#include <span>
#include <vector>

#include "ehandbook/qr_symbol.h"
#include "leaflet/leaflet_header.h"
#include "leaflet/pagination.h"
#include "page/page_composer.h"
#include "page/print_list.h"

namespace leaflet {

class LeafletJob {
  public:
    // `date` is printed on the pages and is the dispensing date of the codes; `made` stamps the
    // codes' data ID.
    LeafletJob(LeafletHeader header, const PrintList& list, QDate date,
               QDateTime made = QDateTime::currentDateTime());
    LeafletJob(const LeafletJob&) = delete;
    LeafletJob& operator=(const LeafletJob&) = delete;

    // Lays the entries and codes out on pages; anything but kDone means the leaflet cannot be
    // shown.
    PaginateResult paginate();

    const PageComposer& composer() const { return composer_; }
    const PageTable& table() const { return table_; }
    std::span<const DrugRecord> entries() const { return entries_; }
    // The handbook codes, one symbol per part; empty when the header does not ask for them.
    std::span<const ehandbook::QrSymbol> codes() const { return codes_; }

  private:
    LeafletHeader header_;
    std::vector<DrugRecord> entries_;
    std::vector<QImage> photos_;
    std::vector<ehandbook::QrSymbol> codes_;
    bool codesFailed_ = false;
    PageTable table_{};
    PageComposer composer_;
};

}  // namespace leaflet
