#include "sticker/sticker_printer.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include "atomic_file/atomic_file.h"
#include "layout/data_folder.h"

namespace sticker {
namespace {

constexpr const char* kKey = "printer=";

std::filesystem::path choiceFile(const std::filesystem::path& programFolder) {
    return programFolder / layout::kConfigFolder / "シールプリンター.conf";
}

QPrinterInfo printerInfo(const QString& name) {
    return name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
}

}  // namespace

QString loadStickerPrinter(const std::filesystem::path& programFolder) {
    QFile file(QString::fromStdString(choiceFile(programFolder).string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    for (const QString& line : QString::fromUtf8(file.read(4096)).split('\n'))
        if (line.trimmed().startsWith(kKey)) return line.trimmed().mid(QString(kKey).size());
    return {};
}

bool saveStickerPrinter(const std::filesystem::path& programFolder, const QString& name) {
    const std::filesystem::path file = choiceFile(programFolder);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const QByteArray text = (kKey + name + "\n").toUtf8();
    return atomic_file::replaceFile(file, std::string_view(text.constData(), text.size()));
}

NamedPrinter::NamedPrinter(QString name) : name_(std::move(name)) {}
NamedPrinter::~NamedPrinter() = default;

bool NamedPrinter::present() const {
    return !printerInfo(name_).isNull();
}

QPagedPaintDevice* NamedPrinter::beginJob(const QString& documentName) {
    printer_ = leaflet::openPrinterJob(printerInfo(name_), documentName);
    // The label is laid out edge to edge with its own margin.
    if (printer_) printer_->setFullPage(true);
    return printer_.get();
}

bool NamedPrinter::endJob() {
    return leaflet::endPrinterJob(printer_);
}

}  // namespace sticker
