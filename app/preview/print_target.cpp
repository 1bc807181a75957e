#include "preview/print_target.h"

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "page/leaflet_pdf.h"

namespace leaflet {

SystemPrinter::SystemPrinter() = default;
SystemPrinter::~SystemPrinter() = default;

bool SystemPrinter::available() {
    return !QPrinterInfo::defaultPrinter().isNull();
}

QPagedPaintDevice* SystemPrinter::beginJob(const QString& documentName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    // A fresh printer per job, so no setting of one job carries over to the next.
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer_->isValid()) {
        printer_.reset();
        return nullptr;
    }
    printer_->setDocName(documentName);
    printer_->setPageOrientation(QPageLayout::Portrait);
    return printer_.get();
}

bool SystemPrinter::endJob() {
    if (!printer_) return false;
    const bool delivered = printer_->printerState() != QPrinter::Error &&
                           printer_->printerState() != QPrinter::Aborted;
    printer_.reset();
    return delivered;
}

PdfJobs::PdfJobs(QString folder) : folder_(std::move(folder)) {}
PdfJobs::~PdfJobs() = default;

QString PdfJobs::jobPath(int n) const {
    return QDir(folder_).filePath(QStringLiteral("job-%1.pdf").arg(n));
}

QPagedPaintDevice* PdfJobs::beginJob(const QString& documentName) {
    writer_.reset();
    file_ = std::make_unique<QSaveFile>(jobPath(++jobs_));
    if (!file_->open(QIODevice::WriteOnly)) {
        file_.reset();
        return nullptr;
    }
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    setLeafletPdfLayout(*writer_);
    writer_->setTitle(documentName);
    return writer_.get();
}

bool PdfJobs::endJob() {
    writer_.reset();
    const bool written = file_ && file_->commit();
    file_.reset();
    return written;
}

}  // namespace leaflet
