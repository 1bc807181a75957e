#include "catalogue_admin.h"

#include "sqlkit/sqlkit.h"

namespace drugbase {

bool markSuppliedPhotos(const std::filesystem::path& dataFolder,
                        const std::map<std::string, SuppliedPhotos>& photos, std::string* error) {
    const std::shared_ptr<sqlkit::Connection> db = openCatalogue(dataFolder, error);
    if (!db) return false;
    sqlkit::Transaction transaction(*db);
    sqlkit::Statement update = db->prepare(
        "UPDATE Medicine_Information SET PHOTO1 = ?, PHOTO2 = ?, PHOTO3 = ?, "
        "PHOTO4 = ?, PHOTO5 = ?, PHOTO6 = ?, PHOTO_HYOUJI = ? WHERE YJCODE = ?");
    if (!transaction.began() || !update.ok()) {
        if (error) *error = update.ok() ? "cannot begin a transaction" : update.error();
        return false;
    }
    for (const auto& [yjcode, p] : photos) {
        update.reset();
        for (int n = 0; n < 6; ++n) update.bindInt(n + 1, p.folders[n] ? 1 : 0);
        update.bindInt(7, p.shown);
        update.bindMatch(8, yjcode);
        update.step();
        if (update.failed()) {
            if (error) *error = update.error();
            return false;
        }
    }
    if (transaction.commit()) return true;
    if (error) *error = db->lastError();
    return false;
}

}  // namespace drugbase
