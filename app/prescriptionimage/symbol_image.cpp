#include "prescriptionimage/symbol_image.h"

#include <ZXing/ReadBarcode.h>

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <vector>

#include "prescription/symbol_text.h"

namespace prescription {
namespace {

// A picture holds at most this many symbols (16 is the most a Structured Append sequence has);
// the search stops there whatever the picture holds.
constexpr std::size_t kMostSymbols = 64;

SymbolText refused(std::string message) {
    return {{}, std::move(message), FileTrouble::kOther};
}

std::string bytesOf(const ZXing::Result& result) {
    const ZXing::ByteArray& bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

QPolygon outlineOf(const ZXing::Result& symbol) {
    QPolygon outline;
    for (const ZXing::PointI& corner : symbol.position()) outline << QPoint(corner.x, corner.y);
    return outline;
}

int heightOf(const ZXing::Result& symbol) {
    return std::max(1, outlineOf(symbol).boundingRect().height());
}

bool isKnown(const std::vector<ZXing::Result>& known, const ZXing::Result& symbol) {
    const QPoint centre = outlineOf(symbol).boundingRect().center();
    return std::any_of(known.begin(), known.end(), [&](const ZXing::Result& k) {
        return k.bytes() == symbol.bytes() && outlineOf(k).boundingRect().contains(centre);
    });
}

// Every valid QR symbol of the picture. The reader misses some symbols of a crowded picture
// (a 2 × 2 grid), so each one found is painted white and the picture read again until a reading
// finds nothing more.
std::vector<ZXing::Result> findSymbols(QImage grey) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    std::vector<ZXing::Result> symbols;
    while (symbols.size() < kMostSymbols) {
        const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                    ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
        std::vector<ZXing::Result> found;
        for (ZXing::Result& result : ZXing::ReadBarcodes(view, hints))
            if (result.isValid()) found.push_back(std::move(result));
        // A symbol the mask did not cover is found again: nothing more to find then.
        std::erase_if(found, [&symbols](const ZXing::Result& f) { return isKnown(symbols, f); });
        if (found.empty()) break;
        QPainter painter(&grey);
        for (ZXing::Result& symbol : found) {
            // The pen widens the mask over the symbol's edge modules.
            painter.setPen(QPen(Qt::white, std::max(4, heightOf(symbol) / 8)));
            painter.setBrush(Qt::white);
            painter.drawPolygon(outlineOf(symbol));
            if (symbols.size() < kMostSymbols) symbols.push_back(std::move(symbol));
        }
    }
    return symbols;
}

// The Structured Append symbols of one sequence in sequence order; an error when one is
// missing or the picture mixes sequences.
SymbolText joinSequence(std::vector<ZXing::Result> symbols) {
    const int size = symbols.front().sequenceSize();
    const std::string id = symbols.front().sequenceId();
    for (const ZXing::Result& symbol : symbols) {
        if (symbol.sequenceSize() != size || symbol.sequenceId() != id)
            return refused("画像に別々の処方箋のシンボルがあります。");
    }
    std::stable_sort(symbols.begin(), symbols.end(), [](const auto& a, const auto& b) {
        return a.sequenceIndex() < b.sequenceIndex();
    });
    symbols.erase(std::unique(symbols.begin(), symbols.end(),
                              [](const auto& a, const auto& b) {
                                  return a.sequenceIndex() == b.sequenceIndex();
                              }),
                  symbols.end());
    if (static_cast<int>(symbols.size()) != size) {
        return refused("連結されたシンボル" + std::to_string(size) + "個のうち" +
                       std::to_string(symbols.size()) + "個しか読めませんでした。");
    }
    std::vector<std::string> texts;
    for (const ZXing::Result& symbol : symbols) texts.push_back(bytesOf(symbol));
    return {joinSymbols(texts), {}, FileTrouble::kNone};
}

// Plain symbols in reading order: a symbol whose top lies within half its height of the top of
// its row's first symbol stands in that row; rows top to bottom, each left to right. The rows
// are numbered first so that the sort's key is a plain ordering.
std::vector<std::string> inReadingOrder(std::vector<ZXing::Result> symbols) {
    std::stable_sort(symbols.begin(), symbols.end(), [](const auto& a, const auto& b) {
        return outlineOf(a).boundingRect().top() < outlineOf(b).boundingRect().top();
    });
    struct Placed {
        int row, x;
        std::string bytes;
    };
    std::vector<Placed> placed;
    int row = -1, rowTop = 0, rowHalf = 0;
    for (const ZXing::Result& symbol : symbols) {
        const QRect box = outlineOf(symbol).boundingRect();
        if (row < 0 || box.top() - rowTop > rowHalf) {
            ++row;
            rowTop = box.top();
            rowHalf = heightOf(symbol) / 2;
        }
        placed.push_back({row, box.left(), bytesOf(symbol)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.x < b.x;
    });
    std::vector<std::string> texts;
    for (Placed& p : placed) texts.push_back(std::move(p.bytes));
    return texts;
}

}  // namespace

SymbolText readSymbols(const QImage& image) {
    if (image.isNull()) return refused("画像を読めません。");
    std::vector<ZXing::Result> symbols =
        findSymbols(image.convertToFormat(QImage::Format_Grayscale8));
    if (symbols.empty()) return refused("画像にQRコードが見つかりません。");

    const bool sequence = std::any_of(symbols.begin(), symbols.end(),
                                      [](const auto& s) { return s.isPartOfSequence(); });
    if (sequence) return joinSequence(std::move(symbols));
    return {joinSymbols(inReadingOrder(std::move(symbols))), {}, FileTrouble::kNone};
}

}  // namespace prescription
