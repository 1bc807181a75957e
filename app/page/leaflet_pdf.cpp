#include "page/leaflet_pdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "page/page_composer.h"

namespace leaflet {

namespace {

constexpr double kMarginMillimetres = 5.0;
constexpr int kPdfResolution = 600;

}  // namespace

void setDeviceMapping(QPainter& painter, int width, int height) {
    const int side = std::min(width, height);
    painter.setViewport(0, 0, side, side);
    painter.setWindow(0, 0, kDeviceLogicalWidth, kDeviceLogicalWidth);
}

void setLeafletPdfLayout(QPdfWriter& writer) {
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
}

bool writeLeafletPdf(const QString& path, const PageComposer& composer) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QPdfWriter writer(&file);
    setLeafletPdfLayout(writer);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    for (int page = 0; page < composer.pageTotal(); ++page) {
        if (page > 0 && !writer.newPage()) return false;
        painter.resetTransform();
        setDeviceMapping(painter, writer.width(), writer.height());
        composer.drawPage(painter, page);
    }
    // Unless committed, the temporary file is removed and `path` stays as it was.
    return painter.end() && file.commit();
}

}  // namespace leaflet
