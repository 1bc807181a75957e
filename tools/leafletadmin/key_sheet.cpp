// The recovery sheet of a folder's key: an A4 PDF page with the folder id, the date and the key
// as grouped text and as a QR code, and reading the key back from a picture of that code.
#include <QDate>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <fstream>
#include <sstream>

#include "admin.h"
#include "ehandbook/qr_symbol.h"
#include "folderkey/folder_keying.h"
#include "folderkey/key_store.h"
#include "layout/data_folder.h"
#include "layout/file_modes.h"
#include "page_application.h"
#include "prescriptionimage/code_file.h"

namespace admin {
namespace {

namespace fs = std::filesystem;

// The QR code's text: this mark, the folder id and the key, one a line.
constexpr const char* kSheetMark = "LEAFLETDESK-KEY";

constexpr const char* kTitle = "データ暗号鍵 回復用シート";
constexpr const char* kInstruction =
    "このシートは薬局の金庫に保管してください。\n"
    "データフォルダーとそのバックアップは、この鍵がなければ読めません。\n"
    "鍵をなくすと、バックアップを含むすべてのデータが読めなくなります。\n"
    "別のコンピューターやユーザーで使うときは、管理者が\n"
    "  leafletadmin key import フォルダー 鍵\n"
    "で上の鍵を入力するか、\n"
    "  leafletadmin key import フォルダー --from-picture 写真\n"
    "で右下のQRコードの写真を読み込みます。";

// The page in tenths of a millimetre inside 20 mm margins.
constexpr int kWidth = 1700, kHeight = 2570, kModule = 12;

void drawSymbol(QPainter& painter, const ehandbook::QrSymbol& symbol) {
    const int side = (symbol.size + 8) * kModule;  // with the four-module quiet zone
    const QPoint origin(kWidth - side, kHeight - side);
    painter.fillRect(QRect(origin, QSize(side, side)), Qt::white);
    for (int y = 0; y < symbol.size; ++y)
        for (int x = 0; x < symbol.size; ++x)
            if (symbol.dark(x, y))
                painter.fillRect(origin.x() + (x + 4) * kModule, origin.y() + (y + 4) * kModule,
                                 kModule, kModule, Qt::black);
}

QFont sheetFont(int pixels, bool fixed) {
    QFont font(fixed ? "ＭＳ ゴシック" : "ＭＳ 明朝");
    font.setPixelSize(pixels);
    return font;
}

bool writeSheet(const fs::path& pdf, const folderkey::FolderKey& key) {
    const std::string payload =
        std::string(kSheetMark) + "\n" + key.folderId + "\n" + folderkey::hexOf(key.key) + "\n";
    const auto symbol = ehandbook::encodeQrSymbol(payload);
    if (!symbol) return false;
    QSaveFile file(QString::fromStdString(pdf.string()));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QPdfWriter writer(&file);
    writer.setTitle(kTitle);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    painter.setWindow(0, 0, kWidth, kHeight);
    painter.setViewport(0, 0, writer.width(), writer.width() * kHeight / kWidth);
    painter.setFont(sheetFont(80, true));
    painter.drawText(QRect(0, 0, kWidth, 120), Qt::AlignLeft, kTitle);
    painter.setFont(sheetFont(45, true));
    const QString facts = QString("フォルダーID：%1\n作成日：%2\n\n暗号鍵：")
                              .arg(QString::fromStdString(key.folderId),
                                   QDate::currentDate().toString("yyyy年M月d日"));
    painter.drawText(QRect(0, 200, kWidth, 400), Qt::AlignLeft, facts);
    painter.setFont(sheetFont(60, true));
    painter.drawText(QRect(60, 520, kWidth, 200), Qt::AlignLeft,
                     QString::fromStdString(folderkey::groupedHex(key.key)));
    painter.setFont(sheetFont(42, false));
    painter.drawText(QRect(0, 800, kWidth, 700), Qt::AlignLeft, kInstruction);
    drawSymbol(painter, *symbol);
    return painter.end() && file.commit() && layout::restrict(pdf);
}

}  // namespace

int exportKey(const fs::path& folder, const fs::path& pdf, std::ostream& out, std::ostream& err) {
    const fs::path databaseFolder = layout::databaseFolder(folder);
    if (!keyUsable(databaseFolder, err)) return kRefused;
    const folderkey::FolderKey key = folderkey::keyOf(databaseFolder);
    if (key.state != folderkey::FolderKey::State::Ready) {
        err << databaseFolder.string()
            << ": the files are still keyed with the built-in password; run leafletadmin rekey\n";
        return kRefused;
    }
    PageApplication application;
    if (!writeSheet(pdf, key)) {
        err << pdf.string() << ": cannot write the recovery sheet\n";
        return kRefused;
    }
    out << pdf.string() << ": the recovery sheet of folder " << key.folderId
        << "; print it and keep it in the safe\n";
    return kDone;
}

int importKeyFromPicture(const fs::path& folder, const fs::path& picture, std::ostream& out,
                         std::ostream& err) {
    std::ifstream in(picture, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        err << picture.string() << ": cannot read the file\n";
        return kRefused;
    }
    PageApplication application;
    const prescription::SymbolText read = prescription::codeTextOfFile(bytes.str());
    std::istringstream lines(read.bytes);
    std::string mark, id, hex;
    std::getline(lines, mark);
    std::getline(lines, id);
    std::getline(lines, hex);
    if (!read.error.empty() || mark != kSheetMark) {
        err << picture.string() << ": no recovery sheet's QR code found\n";
        return kRefused;
    }
    if (folderkey::folderIdOf(layout::databaseFolder(folder)) != id) {
        err << picture.string() << ": the sheet is of folder " << id << ", not of this folder\n";
        return kRefused;
    }
    return importKey(folder, hex, out, err);
}

}  // namespace admin
