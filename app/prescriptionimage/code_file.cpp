#include "prescriptionimage/code_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "prescriptionimage/pdf_page.h"
#include "prescriptionimage/symbol_image.h"

namespace prescription {
namespace {

// PDF pages are rendered fine enough for symbols printed at the usual module size.
constexpr int kPdfDpi = 300;
// The most pixels a picture may have: a 50-megapixel camera's photograph, or an A3 scan at
// 500 dpi (48 million). Held as 32-bit pixels it stays within Qt's 256 MB allocation limit.
constexpr qint64 kMostPicturePixels = 60'000'000;

bool isPdf(std::string_view bytes) {
    return bytes.starts_with("%PDF-");
}

bool isPicture(std::string_view bytes) {
    return bytes.starts_with("\x89PNG") || bytes.starts_with("\xFF\xD8\xFF");
}

// The picture of a PNG or JPEG file; a picture larger than the bound is refused from its
// header, before any pixel is decoded.
SymbolText readPicture(const std::string& bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMostPicturePixels) {
        return {{},
                "画像が大きすぎるため読めません（" + std::to_string(size.width()) + "×" +
                    std::to_string(size.height()) + "画素）。画素数を減らして保存し直して下さい。",
                FileTrouble::kPictureTooLarge};
    }
    return readSymbols(reader.read());
}

}  // namespace

SymbolText codeTextOfFile(std::string bytes) {
    if (isPdf(bytes)) {
        const PdfPicture page = pdfPage(bytes, 0, kPdfDpi);
        if (page.picture.isNull()) return {{}, page.error, page.trouble};
        return readSymbols(page.picture);
    }
    if (isPicture(bytes)) return readPicture(bytes);
    return {std::move(bytes), {}, FileTrouble::kNone};
}

}  // namespace prescription
