// print-sticker and sticker: a stored leaflet as the お薬手帳 sticker in a PDF file, and the
// sticker roll's width in the user settings.
#include <QDate>
#include <memory>

#include "admin.h"
#include "dosagebase.h"
#include "library_messages.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "sticker/sticker_layout.h"
#include "sticker/sticker_painter.h"
#include "stored_leaflet.h"

namespace admin {

int printSticker(const std::filesystem::path& folder, const std::string& idText,
                 const std::string& stamp, const std::filesystem::path& pdf, std::ostream& out,
                 std::ostream& err) {
    LibraryMessages messages(err);
    PageApplication application;
    const auto found = std::make_unique<RecalledLeaflet>();
    if (const int status = recallStoredLeaflet(folder, idText, stamp, *found, err); status != kDone)
        return status;
    leaflet::LeafletHeader header = headerFor(folder, found->settings, found->stored.patient);
    DosagePharmacy pharmacy;
    if (DPharmacyRead(&pharmacy) != DOSAGEBASE_OK) pharmacy = {};
    header.pharmacy.name = sjis::fieldText(pharmacy.name, sizeof pharmacy.name);
    const std::string telephone(sjis::fieldText(pharmacy.telephone, sizeof pharmacy.telephone));
    const int width = sticker::widthOf(found->settings.options[settings::kOptionStickerWidth]);
    const QDate date = found->date;
    const auto labels = sticker::layoutLabels(
        sticker::contentOf(header, found->list.entries(), telephone,
                           sticker::dateText(date.year(), date.month(), date.day())),
        width);
    if (!sticker::writeStickerPdf(QString::fromStdString(pdf.string()), labels, width)) {
        err << pdf.string() << ": cannot write the PDF file\n";
        return kRefused;
    }
    out << pdf.string() << ": the sticker of patient " << found->id << "'s leaflet stored at "
        << found->stored.stamp << ", " << found->list.count() << " drugs on " << labels.size()
        << " label(s), " << width << " mm wide\n";
    return found->missing.empty() ? kDone : kPartial;
}

int setStickerWidth(const std::filesystem::path& folder, const std::string& setting,
                    std::ostream& out, std::ostream& err) {
    constexpr std::string_view kKey = "width=";
    const std::string value = setting.starts_with(kKey) ? setting.substr(kKey.size()) : "";
    const int width = value == "58" ? 58 : value == "62" ? 62 : value == "80" ? 80 : 0;
    if (width == 0) {
        err << setting << ": the width must be width=58, width=62 or width=80\n";
        return kUsage;
    }
    // 62 mm, the default, is stored as 0 so that a file written before reads the same.
    const int stored = width == sticker::kDefaultWidth ? 0 : width;
    if (!changeSettings(
            folder,
            [stored](settings::SettingsBlock& s) {
                s.options[settings::kOptionStickerWidth] = stored;
            },
            err))
        return kRefused;
    out << "sticker width " << width << " mm\n";
    return kDone;
}

}  // namespace admin
