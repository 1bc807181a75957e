#include "leaflet/code_block.h"

#include <algorithm>

#include "leaflet/comment_lines.h"
#include "leaflet/page_geometry.h"

namespace leaflet {

namespace {

// The right edge of the comment's longest line; 0 for no comment.
int commentRight(std::string_view comment) {
    const auto lines = commentLines(comment);
    if (lines.empty()) return 0;
    std::size_t widest = 0;
    for (const std::string_view line : lines) widest = std::max(widest, line.size());
    return kCommentLeft + kCommentByteWidth * static_cast<int>(widest);
}

}  // namespace

std::optional<CodeBlock> placeCodeBlock(int count, int modules, std::string_view comment,
                                        int rowsBottom) {
    if (count <= 0) return std::nullopt;
    CodeBlock block;
    block.codeCount = count;
    block.symbolSide = codeSymbolSide(modules);
    const int step = block.symbolSide + kCodeGap;
    const int mostColumns = std::min(count, (kRowsRight - kRowsLeft + kCodeGap) / step);
    const int textRight = commentRight(comment);
    // Beside the comment (or on the foot of a page without one), then above it.
    const int bottoms[] = {kCodeAreaBottom, kCommentTop - kCodeGap};
    for (const int bottom : bottoms) {
        for (int columns = mostColumns; columns >= 1; --columns) {
            const int rows = (count + columns - 1) / columns;
            const int width = columns * step - kCodeGap;
            const int height = rows * (block.cellHeight() + kCodeGap) - kCodeGap;
            block.columns = columns;
            block.left = kRowsRight - width;
            block.top = bottom - height;
            const bool clearsComment = bottom < kCommentTop || block.left >= textRight + kCodeGap;
            if (clearsComment && block.top >= rowsBottom + kCodeGap) return block;
        }
    }
    return std::nullopt;
}

}  // namespace leaflet
