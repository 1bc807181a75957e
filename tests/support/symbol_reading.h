// Decoding the QR symbols of page images: with zxing-cpp in the test process, and with zbarimg
// (zbar-tools) as an outside decoder; PDF pages rendered to images with pdftoppm.
#pragma once

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "pdf_reading.h"
#include "temp_dir.h"

struct DecodedSymbol {
    std::string bytes;    // the symbol's content exactly as encoded
    std::string ecLevel;  // "L", "M", "Q" or "H"
    int width = 0;        // pixels along the top edge of the symbol
};

// Every QR symbol zxing finds on `image`.
inline std::vector<DecodedSymbol> decodeSymbols(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode).setTryHarder(true);
    std::vector<DecodedSymbol> symbols;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (!result.isValid()) continue;
        const ZXing::ByteArray& bytes = result.bytes();
        const auto& p = result.position();
        symbols.push_back({std::string(bytes.begin(), bytes.end()), result.ecLevel(),
                           p.topRight().x - p.topLeft().x});
    }
    return symbols;
}

// Every QR symbol zxing finds on the pages.
inline std::vector<DecodedSymbol> decodeSymbols(const std::vector<QImage>& pages) {
    std::vector<DecodedSymbol> symbols;
    for (const QImage& page : pages)
        for (DecodedSymbol& s : decodeSymbols(page)) symbols.push_back(std::move(s));
    return symbols;
}

// The pages of a PDF file from page `first` on, in order, as a printer at `dpi` puts them on
// paper.
inline std::vector<QImage> pdfPageImages(const std::string& pdf, int dpi = 300, int first = 1) {
    TempDir folder;
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -f " +
                                std::to_string(first) + " -png '" + pdf + "' '" +
                                (folder.path() / "page").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::set<std::string> pages;  // the file names number the pages with equal widths
    for (const auto& file : std::filesystem::directory_iterator(folder.path()))
        pages.insert(file.path().string());
    std::vector<QImage> images;
    for (const std::string& page : pages) images.emplace_back(QString::fromStdString(page));
    return images;
}

// The raw bytes zbarimg reads from an image file (one symbol's content, as it is).
inline std::string zbarBytes(const std::string& imageFile) {
    return commandOutput("zbarimg --quiet --raw -Sbinary '" + imageFile + "' 2>/dev/null");
}
