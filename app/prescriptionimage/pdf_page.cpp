#include "prescriptionimage/pdf_page.h"

#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <climits>
#include <cmath>
#include <memory>

namespace prescription {
namespace {

PdfPicture refused(std::string message, FileTrouble trouble = FileTrouble::kOther) {
    return {QImage(), std::move(message), trouble};
}

}  // namespace

PdfPicture pdfPage(std::string_view bytes, int index, int dpi) {
    if (bytes.size() > INT_MAX) return refused("PDFファイルが大きすぎます。");
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!document) return refused("PDFファイルを読めません。");
    if (document->is_locked()) {
        return refused("PDFファイルにパスワードが掛かっている（暗号化されている）ため読めません。",
                       FileTrouble::kEncryptedPdf);
    }
    if (index < 0 || index >= document->pages())
        return refused("PDFファイルに" + std::to_string(index + 1) + "ページ目がありません。");
    const std::unique_ptr<poppler::page> page(document->create_page(index));
    if (!page) return refused("PDFファイルのページを描けません。");
    const poppler::rectf box = page->page_rect(poppler::media_box);
    const double width = std::abs(box.width()), height = std::abs(box.height());
    const double pixels = width * dpi / 72 * height * dpi / 72;
    if (!(width <= kLargestPagePoints && height <= kLargestPagePoints &&
          pixels <= kMostPagePixels)) {
        return refused("PDFのページ（" + std::to_string(std::lround(width)) + "×" +
                           std::to_string(std::lround(height)) +
                           "ポイント）が処方箋の用紙より大きいため読みません。",
                       FileTrouble::kPageTooLarge);
    }
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    const poppler::image rendered = renderer.render_page(page.get(), dpi, dpi);
    if (!rendered.is_valid()) return refused("PDFファイルのページを描けません。");
    // The rendered pixels belong to poppler's image; the picture keeps a copy.
    return {QImage(reinterpret_cast<const uchar*>(rendered.const_data()), rendered.width(),
                   rendered.height(), rendered.bytes_per_row(), QImage::Format_Grayscale8)
                .copy(),
            {},
            FileTrouble::kNone};
}

}  // namespace prescription
