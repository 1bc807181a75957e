#include "prescriptionimage/code_file.h"

#include <QImage>

#include "prescriptionimage/pdf_page.h"
#include "prescriptionimage/symbol_image.h"

namespace prescription {
namespace {

// PDF pages are rendered fine enough for symbols printed at the usual module size.
constexpr int kPdfDpi = 300;

bool isPdf(std::string_view bytes) {
    return bytes.starts_with("%PDF-");
}

bool isPicture(std::string_view bytes) {
    return bytes.starts_with("\x89PNG") || bytes.starts_with("\xFF\xD8\xFF");
}

}  // namespace

SymbolText codeTextOfFile(std::string bytes) {
    QImage picture;
    if (isPdf(bytes)) {
        std::string error;
        picture = pdfPage(bytes, 0, kPdfDpi, error);
        if (picture.isNull()) return {{}, error};
    } else if (isPicture(bytes)) {
        picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                   static_cast<int>(bytes.size()));
    } else {
        return {std::move(bytes), {}};
    }
    return readSymbols(picture);
}

}  // namespace prescription
