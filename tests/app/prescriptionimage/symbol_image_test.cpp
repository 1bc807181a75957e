// Reading prescription code texts from pictures of QR symbols made with libqrencode: one
// symbol, a Structured Append sequence in any order, and pictures without a whole text.
#include "prescriptionimage/symbol_image.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "qr_image.h"
#include "sample_codes.h"

namespace {

using prescription::readSymbols;

// The picture after a round trip through a JPEG file, as a camera would deliver it.
QImage throughJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG", 85));
    return QImage::fromData(bytes, "JPEG");
}

TEST(SymbolImage, OneSymbolInPngAndJpegGivesTheTextAsScanned) {
    const std::string code = samples::asCode(samples::kFormatNote);
    const QImage picture = qrtest::oneSymbol(code + "\x1A");
    for (const QImage& image : {picture, throughJpeg(picture)}) {
        const prescription::SymbolText read = readSymbols(image);
        EXPECT_EQ(read.error, "");
        EXPECT_EQ(read.bytes, code);
    }
}

TEST(SymbolImage, StructuredAppendSymbolsJoinInSequenceOrderWhereverTheyStand) {
    const std::string code = samples::asCode(samples::kFormatNote);
    std::vector<QImage> symbols = qrtest::sequence(code, 5);
    ASSERT_GE(symbols.size(), 3u);
    std::reverse(symbols.begin(), symbols.end());
    const prescription::SymbolText read = readSymbols(qrtest::sideBySide(symbols));
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.bytes, code);

    // A symbol of the sequence missing: no text rather than part of one.
    symbols.erase(symbols.begin() + 1);
    const prescription::SymbolText partial = readSymbols(qrtest::sideBySide(symbols));
    EXPECT_EQ(partial.bytes, "");
    EXPECT_NE(partial.error.find("しか読めませんでした"), std::string::npos) << partial.error;
}

TEST(SymbolImage, PicturesWithoutASymbolAreRefused) {
    QImage blank(200, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(readSymbols(blank).error, "画像にQRコードが見つかりません。");
    EXPECT_EQ(readSymbols(QImage()).error, "画像を読めません。");
}

}  // namespace
