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

std::unique_ptr<QPrinter> openPrinterJob(const QPrinterInfo& info, const QString& documentName) {
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) return nullptr;
    printer->setDocName(documentName);
    return printer;
}

bool endPrinterJob(std::unique_ptr<QPrinter>& printer) {
    if (!printer) return false;
    const bool delivered =
        printer->printerState() != QPrinter::Error && printer->printerState() != QPrinter::Aborted;
    printer.reset();
    return delivered;
}

QPagedPaintDevice* SystemPrinter::beginJob(const QString& documentName) {
    printer_ = openPrinterJob(QPrinterInfo::defaultPrinter(), documentName);
    if (printer_) printer_->setPageOrientation(QPageLayout::Portrait);
    return printer_.get();
}

bool SystemPrinter::endJob() {
    return endPrinterJob(printer_);
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
