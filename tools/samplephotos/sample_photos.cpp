#include "sample_photos.h"

#include <QImageWriter>

#include <map>
#include <string>
#include <vector>

#include "drugbase.h"
#include "drugbase/admin.h"
#include "layout/data_folder.h"
#include "sample_pictures.h"
#include "sjis/sjis.h"

namespace samplephotos {
namespace {

namespace fs = std::filesystem;

QString text(const char* cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

bool save(const QImage& picture, const fs::path& file, std::ostream& err) {
    QImageWriter writer(QString::fromStdString(file.string()), "jpeg");
    writer.setQuality(90);
    writer.setText(QStringLiteral("Description"),
                   QStringLiteral("Sample picture for trying leafletdesk; not a real drug."));
    if (writer.write(picture)) return true;
    err << file.string() << ": " << writer.errorString().toStdString() << "\n";
    return false;
}

std::vector<std::string> yjCodes() {
    std::vector<std::string> codes;
    const DrugListSink sink{
        &codes,
        [](void* c, const char* t) { static_cast<std::vector<std::string>*>(c)->push_back(t); },
        nullptr};
    int rows = 0;
    RecordDisplay(nullptr, nullptr, nullptr, &sink, &rows, 0);
    return codes;
}

}  // namespace

int writeSamplePhotos(const fs::path& folder, std::ostream& out, std::ostream& err) {
    const fs::path database = layout::databaseFolder(folder);
    std::error_code ec;
    if (!fs::exists(database / "薬剤ファイル.mdb", ec) ||
        RecordOpen(database.string().c_str(), nullptr) != 0) {
        err << database.string() << ": no drug database to add photographs to\n";
        return 1;
    }
    std::map<std::string, drugbase::SuppliedPhotos> marks;
    DrugRecord record;
    for (const std::string& code : yjCodes()) {
        if (RecordDetail(&record, code.c_str()) != 0) continue;
        const SampleDrug drug{text(record.PRODUCTNAME), text(record.ZAIKEI), text(record.COLOR),
                              text(record.HONTAICODE), text(record.WARISEN) == "有"};
        const std::string name = sjis::toUtf8(sjis::toHalfWidth(code)) + ".jpg";
        fs::create_directories(layout::photoFolder(folder, 2), ec);
        fs::create_directories(layout::photoFolder(folder, 1), ec);
        if (!save(drugPicture(drug), layout::photoFolder(folder, 1) / name, err) ||
            !save(packagePicture(drug), layout::photoFolder(folder, 2) / name, err)) {
            RecordClose();
            return 1;
        }
        marks[sjis::toUtf8(code)] = {{true, true}, 1};
    }
    RecordClose();
    std::string error;
    if (!drugbase::markSuppliedPhotos(database, marks, &error)) {
        err << database.string() << ": cannot mark the photographs: " << error << "\n";
        return 1;
    }
    out << marks.size() << " drugs: sample photographs in "
        << (folder / layout::kPhotoFolder).string() << "/PHOTO1 and PHOTO2\n";
    return 0;
}

}  // namespace samplephotos
