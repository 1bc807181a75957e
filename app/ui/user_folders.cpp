#include "ui/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {
namespace {

// The location when it exists as a folder (the desktop may name one that was never made).
QString existingOrHome(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

}  // namespace

QString desktopFolder() {
    return existingOrHome(QStandardPaths::DesktopLocation);
}

QString documentsFolder() {
    return existingOrHome(QStandardPaths::DocumentsLocation);
}

}  // namespace ui
