// Walking the rows of a call's recordset.
#pragma once

#include "messages.h"
#include "session.h"

namespace drugbase {

inline constexpr int kDatabaseFailure = 99;

// Calls `onRow` for every row; a walk that ends in an engine error reports
// "Error:RECORDSET.Find" and gives 99, a complete walk 0. `onRow` may return false to stop.
template <class OnRow>
int walk(Recordset& rs, OnRow&& onRow) {
    while (rs->step()) {
        if (!onRow(*rs)) return 0;
    }
    if (rs->failed()) {
        report(Message::Find);
        return kDatabaseFailure;
    }
    return 0;
}

}  // namespace drugbase
