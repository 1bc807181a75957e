#include "intake/scanner_choice.h"

#include <QFile>
#include <QStringList>

#include "atomic_file/atomic_file.h"
#include "layout/data_folder.h"

namespace intake {
namespace {

std::filesystem::path choiceFile(const std::filesystem::path& programFolder) {
    return programFolder / layout::kConfigFolder / "スキャナ.conf";
}

}  // namespace

ScannerChoice loadScannerChoice(const std::filesystem::path& programFolder) {
    ScannerChoice choice;
    QFile file(QString::fromStdString(choiceFile(programFolder).string()));
    if (!file.open(QIODevice::ReadOnly)) return choice;
    // A hand-edited or damaged file gives at most its usable lines.
    for (const QString& line : QString::fromUtf8(file.read(4096)).split('\n')) {
        const QString text = line.trimmed();
        if (text.startsWith("port=")) choice.port = text.mid(5);
        if (text.startsWith("baud=")) {
            bool number = false;
            const qint32 baud = text.mid(5).toInt(&number);
            if (number && baud > 0) choice.baud = baud;
        }
    }
    return choice;
}

bool saveScannerChoice(const std::filesystem::path& programFolder, const ScannerChoice& choice) {
    const std::filesystem::path file = choiceFile(programFolder);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const QByteArray text =
        ("port=" + choice.port + "\nbaud=" + QString::number(choice.baud) + "\n").toUtf8();
    return atomic_file::replaceFile(file, std::string_view(text.constData(), text.size()));
}

}  // namespace intake
