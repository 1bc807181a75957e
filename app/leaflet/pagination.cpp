#include "leaflet/pagination.h"

#include <vector>

#include "leaflet/page_geometry.h"

namespace leaflet {

int PageTable::pageTotal() const {
    int total = 0;
    while (total < kMaxPages && pages[total].entryCount > 0) ++total;
    return total;
}

PaginateResult paginateRows(std::span<const int> rowLines, int headerBottom, PageTable& table) {
    table = PageTable{};
    const int firstTop = headerBottom + kRowGap;
    int page = 0;
    int top = firstTop;
    for (std::size_t i = 0; i < rowLines.size(); ++i) {
        int bottom = rowBottom(top, rowLines[i]);
        if (bottom <= kPageBottom) {
            ++table.pages[page].entryCount;
        } else {
            if (++page == kMaxPages) return PaginateResult::kTooManyPages;
            table.lastPage = page;
            table.pages[page] = {static_cast<int>(i), 1};
            bottom = rowBottom(firstTop, rowLines[i]);
            if (bottom > kPageBottom) return PaginateResult::kEntryTooTall;
        }
        top = bottom + kRowGap;
    }
    return PaginateResult::kDone;
}

PaginateResult paginate(std::span<const DrugRecord> entries, int headerBottom, PageTable& table) {
    std::vector<int> lines;
    lines.reserve(entries.size());
    for (const DrugRecord& entry : entries) lines.push_back(measuredRowLines(entry));
    return paginateRows(lines, headerBottom, table);
}

}  // namespace leaflet
