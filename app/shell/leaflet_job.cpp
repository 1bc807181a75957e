#include "shell/leaflet_job.h"

#include "leaflet/page_geometry.h"

namespace shell {

LeafletJob::LeafletJob(leaflet::LeafletHeader header, const leaflet::PrintList& list, QDate date)
    : header_(std::move(header)),
      entries_(list.entries().begin(), list.entries().end()),
      photos_(list.photos().begin(), list.photos().end()),
      composer_(header_, entries_, photos_, table_, date) {}

leaflet::PaginateResult LeafletJob::paginate() {
    return leaflet::paginate(entries_, leaflet::headerBottom(header_), table_);
}

}  // namespace shell
