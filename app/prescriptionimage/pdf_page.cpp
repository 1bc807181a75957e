#include "prescriptionimage/pdf_page.h"

#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <climits>
#include <memory>

namespace prescription {

QImage pdfPage(std::string_view bytes, int index, int dpi, std::string& error) {
    if (bytes.size() > INT_MAX) {
        error = "PDFファイルが大きすぎます。";
        return {};
    }
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!document || document->is_locked()) {
        error = "PDFファイルを読めません。";
        return {};
    }
    if (index < 0 || index >= document->pages()) {
        error = "PDFファイルに" + std::to_string(index + 1) + "ページ目がありません。";
        return {};
    }
    const std::unique_ptr<poppler::page> page(document->create_page(index));
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    const poppler::image rendered =
        page ? renderer.render_page(page.get(), dpi, dpi) : poppler::image();
    if (!rendered.is_valid()) {
        error = "PDFファイルのページを描けません。";
        return {};
    }
    // The rendered pixels belong to poppler's image; the picture keeps a copy.
    return QImage(reinterpret_cast<const uchar*>(rendered.const_data()), rendered.width(),
                  rendered.height(), rendered.bytes_per_row(), QImage::Format_Grayscale8)
        .copy();
}

}  // namespace prescription
