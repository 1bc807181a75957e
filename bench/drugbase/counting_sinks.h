// Sinks for the drug list calls that count the texts delivered and keep nothing, so a
// benchmark of a list fill measures the library alone.
#pragma once

#include "drugbase.h"

namespace bench {

struct CountingSinks {
    int count = 0;
    DrugListSink list{this, [](void* c, const char*) { ++static_cast<CountingSinks*>(c)->count; },
                      nullptr};
    DrugListViewSink view{this, [](void*, int, const char*) {},
                          [](void*, int, int, const char*) {}};
};

}  // namespace bench
