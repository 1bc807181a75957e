// A page of a PDF file (a scanned prescription) as a picture, for reading its QR symbols.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

#include "prescriptionimage/symbol_image.h"

namespace prescription {

// The largest page read, in points either way: A3 (842 × 1191) with a margin. A larger page
// is no printed prescription, and rendering it could take minutes and gigabytes.
constexpr double kLargestPagePoints = 1300;
// The most pixels a page is rendered to (a 1300-point square at 300 dpi is 29 million).
constexpr double kMostPagePixels = 32e6;

struct PdfPicture {
    QImage picture;     // null when the page was refused
    std::string error;  // UTF-8, why it was refused
    FileTrouble trouble = FileTrouble::kNone;
};

// Page `index` (0-based) of the PDF in `bytes` rendered in grey at `dpi`; refused for a file
// that is no readable PDF, is locked by a password, has no such page, or whose page is larger
// than the bounds above.
PdfPicture pdfPage(std::string_view bytes, int index, int dpi);

}  // namespace prescription
