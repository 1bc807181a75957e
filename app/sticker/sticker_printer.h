// The printer the sticker goes to, apart from the leaflet's page printer: chosen per terminal and
// kept in the program folder's コンフィグ/シールプリンター.conf (one line "printer=NAME", UTF-8),
// since the fixed-layout settings file has no room for a name. No name kept means the system's
// default printer.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>

#include "preview/print_target.h"

class QPrinter;

namespace sticker {

// The kept printer name; empty when none is kept or the file is unusable.
QString loadStickerPrinter(const std::filesystem::path& programFolder);
// Keeps `name` (empty: the default printer); false when the file could not be written.
bool saveStickerPrinter(const std::filesystem::path& programFolder, const QString& name);

// The printer of that name, or the default printer for an empty name; one job at a time.
class NamedPrinter : public leaflet::PrintTarget {
  public:
    explicit NamedPrinter(QString name);
    ~NamedPrinter() override;

    bool present() const override;
    QPagedPaintDevice* beginJob(const QString& documentName) override;
    bool endJob() override;

  private:
    QString name_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace sticker
