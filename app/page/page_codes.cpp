#include "page/page_codes.h"

#include <QPainterPath>

#include "page/page_ink.h"

namespace leaflet {

namespace {

const TextStyle kCodeLabel{Face::kGothic, 22, 400};

// The dark modules of `symbol` as one path in logical units, a rectangle per run of dark
// modules in a row, with the symbol's first module at `origin`.
QPainterPath darkModules(const ehandbook::QrSymbol& symbol, QPoint origin) {
    constexpr int kSide = kCodeModule / 2;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int y = 0; y < symbol.size; ++y) {
        for (int x = 0; x < symbol.size;) {
            if (!symbol.dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < symbol.size && symbol.dark(x, y)) ++x;
            path.addRect(origin.x() + start * kSide, origin.y() + y * kSide, (x - start) * kSide,
                         kSide);
        }
    }
    return path;
}

}  // namespace

void drawCodeBlock(PageInk& ink, const CodeBlock& block,
                   std::span<const ehandbook::QrSymbol> codes) {
    const int total = static_cast<int>(codes.size());
    constexpr int kQuiet = kCodeQuietModules * kCodeModule;
    for (int k = 0; k < block.codeCount; ++k) {
        const int code = block.firstCode + k;
        if (code < 0 || code >= total) break;
        const int left = block.cellLeft(k);
        const int top = block.cellTop(k);
        ink.text(left + kQuiet, top, kCodeLabel,
                 QString::fromUtf8("お薬手帳QR (%1/%2)").arg(code + 1).arg(total));
        const QPoint origin((left + kQuiet) / 2, (top + kCodeLabelBand + kQuiet) / 2);
        ink.fill(darkModules(codes[code], origin));
    }
}

}  // namespace leaflet
