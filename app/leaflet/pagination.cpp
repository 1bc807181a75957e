#include "leaflet/pagination.h"

#include <algorithm>
#include <vector>

#include "leaflet/page_geometry.h"

namespace leaflet {

int PageTable::pageTotal() const {
    int total = 0;
    while (total < kMaxPages && pages[total].entryCount > 0) ++total;
    return codeBlocks.empty() ? total : std::max(total, codeBlocks.back().page + 1);
}

PaginateResult paginateRows(std::span<const int> rowLines, int headerBottom, PageTable& table,
                            const RowMetrics& metrics) {
    table = PageTable{};
    table.lastRowBottom = headerBottom;
    const int firstTop = headerBottom + kRowGap;
    int page = 0;
    int top = firstTop;
    for (std::size_t i = 0; i < rowLines.size(); ++i) {
        int bottom = rowBottom(top, rowLines[i], metrics);
        if (bottom <= kPageBottom) {
            ++table.pages[page].entryCount;
        } else {
            if (++page == kMaxPages) return PaginateResult::kTooManyPages;
            table.lastPage = page;
            table.pages[page] = {static_cast<int>(i), 1};
            bottom = rowBottom(firstTop, rowLines[i], metrics);
            if (bottom > kPageBottom) return PaginateResult::kEntryTooTall;
        }
        top = bottom + kRowGap;
        table.lastRowBottom = bottom;
    }
    return PaginateResult::kDone;
}

PaginateResult paginate(std::span<const DrugRecord> entries, int headerBottom, PageTable& table,
                        RowStyle style) {
    std::vector<int> lines;
    lines.reserve(entries.size());
    for (const DrugRecord& entry : entries) lines.push_back(measuredRowLines(entry, style));
    return paginateRows(lines, headerBottom, table, style.metrics());
}

PaginateResult placeCodes(int count, int modules, const LeafletHeader& header, PageTable& table) {
    table.codeBlocks.clear();
    if (count <= 0) return PaginateResult::kDone;
    const int last = std::max(table.pageTotal() - 1, 0);
    if (auto block = placeCodeBlock(count, modules, header.comment, table.lastRowBottom)) {
        block->page = last;
        table.codeBlocks.push_back(*block);
        return PaginateResult::kDone;
    }
    const int emptyPageBottom = leaflet::headerBottom(header);
    int first = 0;
    for (int page = last + 1; first < count; ++page) {
        if (page == kMaxPages) return PaginateResult::kTooManyPages;
        // As many of the remaining codes as an empty page holds.
        std::optional<CodeBlock> block;
        for (int n = count - first; n > 0 && !block; --n)
            block = placeCodeBlock(n, modules, header.comment, emptyPageBottom);
        if (!block) return PaginateResult::kCodeTooLarge;
        block->page = page;
        block->firstCode = first;
        first += block->codeCount;
        table.codeBlocks.push_back(*block);
    }
    return PaginateResult::kDone;
}

}  // namespace leaflet
