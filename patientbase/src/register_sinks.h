// Delivering results to the caller's sinks; a missing sink or callback discards the result.
#pragma once

#include <string>

#include "patientbase.h"

namespace patientbase {

inline void add(const PatientListSink* sink, const std::string& text) {
    if (sink && sink->add) sink->add(sink->context, text.c_str());
}

inline void insert(const PatientListViewSink* view, int item, const std::string& text) {
    if (view && view->insert) view->insert(view->context, item, text.c_str());
}

inline void set(const PatientListViewSink* view, int item, int column, const std::string& text) {
    if (view && view->set) view->set(view->context, item, column, text.c_str());
}

}  // namespace patientbase
