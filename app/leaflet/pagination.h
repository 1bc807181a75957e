// Deals the print-list entries, in order, onto at most 15 pages, and the e-medication-handbook
// codes onto the last page or pages of their own after it.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "drugbase.h"
#include "leaflet/code_block.h"
#include "leaflet/leaflet_header.h"
#include "leaflet/page_geometry.h"

namespace leaflet {

inline constexpr int kMaxPages = 15;

struct Page {
    int firstEntry = 0;
    int entryCount = 0;
};

struct PageTable {
    std::array<Page, kMaxPages> pages{};
    int lastPage = 0;
    int lastRowBottom = 0;  // the bottom of the last page's last row (its header's without rows)
    std::vector<CodeBlock> codeBlocks;  // in page order

    // The pages shown on the leaflet: the leading pages that hold entries, and the pages of the
    // codes after them.
    int pageTotal() const;
};

enum class PaginateResult {
    kDone = 0,
    kEntryTooTall = 1,  // one entry does not fit on a page even alone
    kTooManyPages = 2,  // more than kMaxPages pages would be needed
    kCodeTooLarge = 3,  // one e-medication-handbook code does not fit on a page
    kNoCodes = 4,       // the e-medication-handbook codes could not be made
};

// Lays out rows of the given heights (in lines of `metrics`) below a header ending at
// `headerBottom`. The table is rebuilt from scratch; on a refusal it holds the pages laid out so
// far.
PaginateResult paginateRows(std::span<const int> rowLines, int headerBottom, PageTable& table,
                            const RowMetrics& metrics = kNormalRows);

// Lays out the entries in use, each measured by measuredRowLines in the given style.
PaginateResult paginate(std::span<const DrugRecord> entries, int headerBottom, PageTable& table,
                        RowStyle style = {});

// Adds `count` codes whose largest symbol has `modules` modules on a side to a laid-out table:
// on the last page when they all fit below its rows, else on pages of their own after it, as
// many on each as fit. Refuses when that needs more than kMaxPages pages or one code does not
// fit an empty page.
PaginateResult placeCodes(int count, int modules, const LeafletHeader& header, PageTable& table);

}  // namespace leaflet
