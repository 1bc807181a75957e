// One leaflet as the preview and the printer see it: the header taken from the main window and
// the settings, and a copy of the print list made when the job was made, so that a preview keeps
// showing the leaflet it opened with even when printing from it clears the list.
#pragma once

#include <QDate>
#include <QImage>
#include <span>
#include <vector>

#include "leaflet/leaflet_header.h"
#include "leaflet/page_composer.h"
#include "leaflet/pagination.h"
#include "leaflet/print_list.h"

namespace shell {

class LeafletJob {
  public:
    LeafletJob(leaflet::LeafletHeader header, const leaflet::PrintList& list, QDate date);
    LeafletJob(const LeafletJob&) = delete;
    LeafletJob& operator=(const LeafletJob&) = delete;

    // Lays the entries out on pages; anything but kDone means the leaflet cannot be shown.
    leaflet::PaginateResult paginate();

    const leaflet::PageComposer& composer() const { return composer_; }
    std::span<const DrugRecord> entries() const { return entries_; }

  private:
    leaflet::LeafletHeader header_;
    std::vector<DrugRecord> entries_;
    std::vector<QImage> photos_;
    leaflet::PageTable table_{};
    leaflet::PageComposer composer_;
};

}  // namespace shell
