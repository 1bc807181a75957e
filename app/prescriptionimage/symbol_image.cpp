#include "prescriptionimage/symbol_image.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "prescription/symbol_text.h"

namespace prescription {
namespace {

std::string bytesOf(const ZXing::Result& result) {
    const ZXing::ByteArray& bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

// The Structured Append symbols of one sequence in sequence order; an error when one is
// missing or the picture mixes sequences.
SymbolText joinSequence(std::vector<ZXing::Result> symbols) {
    const int size = symbols.front().sequenceSize();
    const std::string id = symbols.front().sequenceId();
    for (const ZXing::Result& symbol : symbols) {
        if (symbol.sequenceSize() != size || symbol.sequenceId() != id)
            return {{}, "画像に別々の処方箋のシンボルがあります。"};
    }
    std::sort(symbols.begin(), symbols.end(),
              [](const auto& a, const auto& b) { return a.sequenceIndex() < b.sequenceIndex(); });
    symbols.erase(std::unique(symbols.begin(), symbols.end(),
                              [](const auto& a, const auto& b) {
                                  return a.sequenceIndex() == b.sequenceIndex();
                              }),
                  symbols.end());
    if (static_cast<int>(symbols.size()) != size) {
        return {{},
                "連結されたシンボル" + std::to_string(size) + "個のうち" +
                    std::to_string(symbols.size()) + "個しか読めませんでした。"};
    }
    std::vector<std::string> texts;
    for (const ZXing::Result& symbol : symbols) texts.push_back(bytesOf(symbol));
    return {joinSymbols(texts), {}};
}

}  // namespace

SymbolText readSymbols(const QImage& image) {
    if (image.isNull()) return {{}, "画像を読めません。"};
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    std::vector<ZXing::Result> symbols;
    for (ZXing::Result& result : ZXing::ReadBarcodes(view, hints))
        if (result.isValid()) symbols.push_back(std::move(result));
    if (symbols.empty()) return {{}, "画像にQRコードが見つかりません。"};

    const bool sequence = std::any_of(symbols.begin(), symbols.end(),
                                      [](const auto& s) { return s.isPartOfSequence(); });
    if (sequence) return joinSequence(std::move(symbols));
    // Symbols whose tops lie within half a symbol of each other stand in one row.
    std::sort(symbols.begin(), symbols.end(), [](const auto& a, const auto& b) {
        const auto pa = a.position().topLeft(), pb = b.position().topLeft();
        const int halfHeight = (a.position().bottomLeft().y - pa.y) / 2;
        if (std::abs(pa.y - pb.y) > halfHeight) return pa.y < pb.y;
        return pa.x < pb.x;
    });
    std::vector<std::string> texts;
    for (const ZXing::Result& symbol : symbols) texts.push_back(bytesOf(symbol));
    return {joinSymbols(texts), {}};
}

}  // namespace prescription
