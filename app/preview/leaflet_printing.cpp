#include "preview/leaflet_printing.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "page/leaflet_pdf.h"
#include "page/page_composer.h"

namespace leaflet {

namespace {

// One page as one job; false when the job did not start or was not delivered.
bool printJob(const PageComposer& composer, int page, PrintTarget& target) {
    QPagedPaintDevice* device = target.beginJob(QString::fromUtf8(kPrintJobName));
    if (!device) return false;
    QPainter painter;
    bool painted = painter.begin(device);
    if (painted) {
        // The device's width and height are its printable area.
        setDeviceMapping(painter, device->width(), device->height());
        composer.drawPage(painter, page);
        painted = painter.end();
    }
    const bool delivered = target.endJob();
    return painted && delivered;
}

}  // namespace

PrintOutcome printPages(const PageComposer& composer, PrintTarget& target) {
    if (!target.present()) return PrintOutcome::kNoPrinter;
    for (int page = 0; page < composer.pageTotal(); ++page) {
        if (!printJob(composer, page, target)) return PrintOutcome::kJobFailed;
    }
    return PrintOutcome::kPrinted;
}

}  // namespace leaflet
