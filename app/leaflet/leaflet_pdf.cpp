#include "leaflet/leaflet_pdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "leaflet/page_composer.h"

namespace leaflet {

namespace {

// Roughly the unprintable edge of an office printer, so a PDF page looks like a printed one.
constexpr double kMarginMillimetres = 5.0;
constexpr int kPdfResolution = 600;

}  // namespace

void setDeviceMapping(QPainter& painter, int width, int height) {
    const int side = std::min(width, height);
    painter.setViewport(0, 0, side, side);
    painter.setWindow(0, 0, kDeviceLogicalWidth, kDeviceLogicalWidth);
}

bool writeLeafletPdf(const QString& path, const PageComposer& composer) {
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    for (int page = 0; page < composer.pageTotal(); ++page) {
        if (page > 0 && !writer.newPage()) return false;
        painter.resetTransform();
        setDeviceMapping(painter, writer.width(), writer.height());
        composer.drawPage(painter, page);
    }
    return painter.end();
}

}  // namespace leaflet
