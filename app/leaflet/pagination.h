// Deals the print-list entries, in order, onto at most 15 pages.
#pragma once

#include <array>
#include <span>

#include "drugbase.h"

namespace leaflet {

inline constexpr int kMaxPages = 15;

struct Page {
    int firstEntry = 0;
    int entryCount = 0;
};

struct PageTable {
    std::array<Page, kMaxPages> pages{};
    int lastPage = 0;

    // The pages shown on the leaflet: the leading pages that hold entries.
    int pageTotal() const;
};

enum class PaginateResult {
    kDone = 0,
    kEntryTooTall = 1,  // one entry does not fit on a page even alone
    kTooManyPages = 2,  // more than kMaxPages pages would be needed
};

// Lays out rows of the given heights (in lines) below a header ending at `headerBottom`. The
// table is rebuilt from scratch; on a refusal it holds the pages laid out so far.
PaginateResult paginateRows(std::span<const int> rowLines, int headerBottom, PageTable& table);

// Lays out the entries in use, each measured by measuredRowLines.
PaginateResult paginate(std::span<const DrugRecord> entries, int headerBottom, PageTable& table);

}  // namespace leaflet
