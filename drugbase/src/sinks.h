// Delivering results to the caller's sinks; a missing sink or callback discards the result.
#pragma once

#include <string>

#include "drugbase.h"

namespace drugbase {

inline void add(const DrugListSink* sink, const std::string& text) {
    if (sink && sink->add) sink->add(sink->context, text.c_str());
}

inline void clear(const DrugListSink* sink) {
    if (sink && sink->clear) sink->clear(sink->context);
}

inline void insert(const DrugListViewSink* view, int item, const std::string& text) {
    if (view && view->insert) view->insert(view->context, item, text.c_str());
}

inline void set(const DrugListViewSink* view, int item, int column, const std::string& text) {
    if (view && view->set) view->set(view->context, item, column, text.c_str());
}

}  // namespace drugbase
