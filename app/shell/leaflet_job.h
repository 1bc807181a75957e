// The shell's leaflets are leaflet::LeafletJob (leaflet/leaflet_job.h) under the name its
// windows declare.
#pragma once

#include "leaflet/leaflet_job.h"

namespace shell {

class LeafletJob : public leaflet::LeafletJob {
  public:
    using leaflet::LeafletJob::LeafletJob;
};

}  // namespace shell
