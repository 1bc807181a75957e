// PictureImage, DrawImage, OridginalImage and FINDFILE: finding, decoding and drawing a drug's
// photographs into the caller's surfaces.
#include <array>
#include <filesystem>
#include <string>

#include "columns.h"
#include "drugbase.h"
#include "photo_files.h"
#include "photo_loader.h"
#include "record_io.h"
#include "session.h"
#include "sjis/sjis.h"
#include "user_photos.h"

using namespace drugbase;

namespace {

namespace fs = std::filesystem;

constexpr int kSuppliedSlots = 6;
constexpr int kUserSlot = 7;

// The photograph columns of one drug.
struct PhotoColumns {
    std::array<long long, kSuppliedSlots> supplied{};  // PHOTO1 ... PHOTO6
    std::string userPath;                              // PHOTO_TOROKU, CP932
    long long shown = 0;                               // PHOTO_HYOUJI
};

// Reads the columns of the first drug with this YJ code.
Lookup readPhotoColumns(const char* yjcode, PhotoColumns& out) {
    Recordset rs(
        session(),
        "SELECT PHOTO1, PHOTO2, PHOTO3, PHOTO4, PHOTO5, PHOTO6, PHOTO_TOROKU, PHOTO_HYOUJI "
        "FROM Medicine_Information" +
            firstWithCode(session().dialect()));
    if (!rs) return Lookup::Failed;
    rs->bindMatch(1, sjis::toUtf8(yjcode ? yjcode : ""));
    const Lookup found = rs.lookUp();
    if (found != Lookup::Found) return found;
    for (int n = 0; n < kSuppliedSlots; ++n) out.supplied[n] = rs->integer(n);
    cp932(rs->text(kSuppliedSlots), out.userPath);
    out.shown = rs->integer(kSuppliedSlots + 1);
    return Lookup::Found;
}

// The columns as a record read by RecordDetail or RecordReadMany holds them.
PhotoColumns recordPhotoColumns(const DrugRecord& record) {
    PhotoColumns out;
    const int32_t flags[] = {record.PHOTO1, record.PHOTO2, record.PHOTO3,
                             record.PHOTO4, record.PHOTO5, record.PHOTO6};
    for (int n = 0; n < kSuppliedSlots; ++n) out.supplied[n] = flags[n];
    out.userPath = sjis::fieldText(record.PHOTO_TOROKU, sizeof record.PHOTO_TOROKU);
    out.shown = record.PHOTO_HYOUJI;
    return out;
}

// The picture of slot 1-7 when the drug has it: a supplied folder's file; for the user slot
// the picture kept in the catalogue, else the PHOTO_TOROKU file.
std::optional<Picture> slotPicture(const PhotoColumns& c, long long slot, const char* yjcode,
                                   const char* baseFolder) {
    if (slot >= 1 && slot <= kSuppliedSlots) {
        if (c.supplied[slot - 1] != 1) return std::nullopt;
        const auto file = photoFile(baseFolder ? baseFolder : "", static_cast<int>(slot),
                                    sjis::toHalfWidth(yjcode ? yjcode : ""));
        return file ? loadPhoto(*file) : std::nullopt;
    }
    if (slot != kUserSlot || c.userPath.empty()) return std::nullopt;
    if (const auto kept = storedUserPhoto(sjis::toUtf8(yjcode ? yjcode : "")))
        return decodePhoto(*kept);
    return loadPhoto(fs::path(sjis::toUtf8(c.userPath)));
}

// Draws a loaded picture; sets the flag only when the picture was drawn.
void drawPicture(const std::optional<Picture>& picture, DrugSurface* surface, int* drawn, int x,
                 int y) {
    if (surface && picture && drawPhoto(*picture, *surface, x, y) && drawn) *drawn = 1;
}

}  // namespace

extern "C" {

DRUGBASE_API int PictureImage(DrugSurface* surface, int* drawn, void* window, const char* yjcode,
                              const char* baseFolder, int x, int y) {
    PhotoColumns columns;
    if (const Lookup found = readPhotoColumns(yjcode, columns); found != Lookup::Found)
        return outcome(found, DRUGBASE_OK, DRUGBASE_OK);
    if (!surface || !window) return DRUGBASE_OK;
    drawPicture(slotPicture(columns, columns.shown, yjcode, baseFolder), surface, drawn, x, y);
    return DRUGBASE_OK;
}

DRUGBASE_API int PictureImageOf(DrugSurface* surface, int* drawn, const DrugRecord* record,
                                const char* baseFolder, int x, int y) {
    if (!surface || !record) return DRUGBASE_OK;
    const std::string yjcode(sjis::fieldText(record->YJCODE, sizeof record->YJCODE));
    const PhotoColumns columns = recordPhotoColumns(*record);
    drawPicture(slotPicture(columns, columns.shown, yjcode.c_str(), baseFolder), surface, drawn, x,
                y);
    return DRUGBASE_OK;
}

DRUGBASE_API int DrawImage(DrugSurface* const surfaces[7], int* const drawn[7], void* window,
                           const char* yjcode, const char* baseFolder, int x, int y) {
    PhotoColumns columns;
    if (const Lookup found = readPhotoColumns(yjcode, columns); found != Lookup::Found)
        return outcome(found, DRUGBASE_OK, DRUGBASE_OK);
    if (!surfaces || !surfaces[0] || !window) return DRUGBASE_OK;
    for (int slot = 1; slot <= kUserSlot; ++slot) {
        if (!surfaces[slot - 1]) continue;
        drawPicture(slotPicture(columns, slot, yjcode, baseFolder), surfaces[slot - 1],
                    drawn ? drawn[slot - 1] : nullptr, x, y);
    }
    return DRUGBASE_OK;
}

DRUGBASE_API int OridginalImage(DrugSurface* surface, int* drawn, const char* path, void*, int x,
                                int y) {
    if (path && *path && surface) drawPicture(loadPhoto(fs::path(path)), surface, drawn, x, y);
    return DRUGBASE_OK;
}

DRUGBASE_API int FINDFILE(int n, const char* yjcode, const char* baseFolder) {
    const auto file = photoFile(baseFolder ? baseFolder : "", n, yjcode ? yjcode : "");
    std::error_code ec;
    return file && fs::is_regular_file(*file, ec) ? 1 : 0;
}

}  // extern "C"
