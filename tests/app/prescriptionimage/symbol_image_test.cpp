// Reading prescription code texts from pictures of QR symbols made with libqrencode: one
// symbol, a Structured Append sequence in any order and arrangement, plain symbols in reading
// order, and pictures without a whole text.
#include "prescriptionimage/symbol_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

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

    // Four symbols in a 2 × 2 grid: the reader's first pass misses one of them.
    std::vector<QImage> four;
    for (int version = 5; four.size() != 4 && version < 20; ++version)
        four = qrtest::sequence(code, version);
    ASSERT_EQ(four.size(), 4u);
    const prescription::SymbolText grid = readSymbols(qrtest::grid(four, 2));
    EXPECT_EQ(grid.error, "");
    EXPECT_EQ(grid.bytes, code);

    // A symbol of the sequence missing: no text rather than part of one.
    symbols.erase(symbols.begin() + 1);
    const prescription::SymbolText partial = readSymbols(qrtest::sideBySide(symbols));
    EXPECT_EQ(partial.bytes, "");
    EXPECT_NE(partial.error.find("しか読めませんでした"), std::string::npos) << partial.error;
}

// Eighteen plain symbols in three rows, large and small in turn, each small one set lower than
// half its own height but less than half its large neighbour's: a row is told from the first
// symbol in it, and the order stays one however many symbols there are.
TEST(SymbolImage, PlainSymbolsOfMixedSizesJoinRowByRow) {
    QImage picture(6 * 200, 3 * 260, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    std::string expected;
    for (int i = 0; i < 18; ++i) {
        const std::string text = "RP" + std::to_string(100 + i) + "\r\n";
        expected += text;
        const bool large = i % 2 == 0;
        const QImage symbol = qrtest::oneSymbol(text, large ? 6 : 3);
        painter.drawImage((i % 6) * 200, (i / 6) * 260 + (large ? 0 : 60), symbol);
    }
    painter.end();
    const prescription::SymbolText read = readSymbols(picture);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.bytes, expected);
}

TEST(SymbolImage, PicturesWithoutASymbolAreRefused) {
    QImage blank(200, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(readSymbols(blank).error, "画像にQRコードが見つかりません。");
    EXPECT_EQ(readSymbols(QImage()).error, "画像を読めません。");
}

}  // namespace
