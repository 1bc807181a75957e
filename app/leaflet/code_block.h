// Where the e-medication-handbook codes stand on a leaflet page (layout units). A code is drawn
// in a cell: its label band, then the symbol with its quiet zone of four modules. The cells of a
// block fill rows from the left, the block sits at the page's lower right: beside the comment
// when it clears the comment's lines, else above the comment, and always below the rows.
#pragma once

#include <optional>
#include <string_view>

namespace leaflet {

// One module: 3 logical units, 0.41 mm on an A4 page (at least 0.3 mm, so phones read it).
inline constexpr int kCodeModule = 6;
inline constexpr int kCodeQuietModules = 4;
inline constexpr int kCodeLabelBand = 52;     // the label "お薬手帳QR (1/2)" above the symbol
inline constexpr int kCodeGap = 24;           // between cells, and from rows and comment
inline constexpr int kCodeAreaBottom = 4120;  // the lowest a block reaches

struct CodeBlock {
    int page = 0;
    int firstCode = 0;  // the block shows codes firstCode .. firstCode + codeCount - 1
    int codeCount = 0;
    int columns = 1;
    int left = 0;  // top-left corner of the first cell
    int top = 0;
    int symbolSide = 0;  // the symbol with its quiet zone; a cell is this wide

    int cellHeight() const { return kCodeLabelBand + symbolSide; }
    int cellLeft(int k) const { return left + (k % columns) * (symbolSide + kCodeGap); }
    int cellTop(int k) const { return top + (k / columns) * (cellHeight() + kCodeGap); }
};

// The width and height of a symbol of `modules` modules on a side, with its quiet zone.
constexpr int codeSymbolSide(int modules) {
    return (modules + 2 * kCodeQuietModules) * kCodeModule;
}

// A block of `count` codes whose largest symbol has `modules` modules on a side, on a page whose
// rows end at `rowsBottom` and whose comment is `comment`; its page and first code are left 0.
// Nothing when the block fits neither beside nor above the comment.
std::optional<CodeBlock> placeCodeBlock(int count, int modules, std::string_view comment,
                                        int rowsBottom);

}  // namespace leaflet
