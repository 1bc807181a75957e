// A page of a PDF file (a scanned prescription) as a picture, for reading its QR symbols.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

namespace prescription {

// Page `index` (0-based) of the PDF in `bytes` rendered in grey at `dpi`; a null image, with
// the reason (UTF-8) in `error`, for a file that is no readable PDF or has no such page.
QImage pdfPage(std::string_view bytes, int index, int dpi, std::string& error);

}  // namespace prescription
