// The drug catalogue as the program sees it: lists collected into vectors, records read into
// DrugRecord, photographs drawn into images, and every result mapped to DataResult.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "data/data_result.h"
#include "data/drug_rows.h"
#include "drugbase.h"

namespace data {

// One drug a search found: the name it is listed under and its YJ code (CP932).
struct DrugMatch {
    std::string listName, yjcode;
};

enum class DrugOrder { ByName = 0, ByCode = 1 };

// A drug a prefix lookup found (CP932).
struct DrugBrief {
    std::string yjcode, name, form, code;  // YJCODE, PRODUCTNAME, ZAIKEI, CODE
};

// The column a prefix lookup looks at.
enum class StartOf { YjCode = 0, ProductName = 1 };

// The conditions of a composite search (CP932); empty ones are ignored. A drug matches when its
// form contains any of the (at most three) dosage forms.
struct DrugSearch {
    std::string productName, generalName, maker, yjcode, route;
    std::vector<std::string> forms;
};

// Whether a drug may be deleted: only the user's own drugs may.
enum class Deletion { kAllowed, kSupplied, kFailed };

// What an edit of a drug changes.
// The largest user photograph file the catalogue keeps.
inline constexpr std::uintmax_t kMaxUserPhotoBytes = DRUGBASE_USER_PHOTO_MAX_BYTES;

enum class DrugChange { kAllFields = 0, kPhotoChoice = 1, kUserPhoto = 2 };

class DrugCatalogue {
  public:
    // Starts the session on the database folder. False when the linked SQLite cannot encrypt:
    // the program must not run. A missing file is reported by the library and still true.
    bool open(const std::filesystem::path& databaseFolder) const;
    void close() const;

    // Replaces `rows` with the catalogue in `order`. On a failure the rows delivered before
    // it stay.
    DataResult list(DrugOrder order, DrugRows& rows) const;
    DataResult list(DrugOrder order, std::vector<DrugRow>& rows) const;
    // The row of the drug with this YJ code in the list of `order` (written to `row`, which
    // stays as it was when no drug has the code).
    DataResult position(const std::string& yjcode, DrugOrder order, int& row) const;

    // Reads the drug with exactly this YJ code; kNotFound leaves `record` untouched.
    DataResult detail(const std::string& yjcode, DrugRecord& record) const;
    // Replaces `found` with the drugs of these YJ codes read at once, by code; a code without a
    // drug has no entry. On kFailed `found` is empty.
    DataResult details(const std::vector<std::string>& yjcodes,
                       std::map<std::string, DrugRecord>& found) const;

    // Replaces `found` with the drugs whose column starts with one of `prefixes`: by YJ code
    // in YJ code order (name order within a code), by product name in name order.
    DataResult startingWith(StartOf column, const std::vector<std::string>& prefixes,
                            std::vector<DrugBrief>& found) const;
    // Replaces `found` with the drugs whose product name has the name key `key` (sjis::nameKey),
    // in name order; kNotFound where the data keeps no name keys (a server): search by the
    // name's start instead.
    DataResult byNameKey(const std::string& key, std::vector<DrugBrief>& found) const;
    // The drug `detail` reads for this YJ code, briefly; kNotFound without one.
    DataResult brief(const std::string& yjcode, DrugBrief& drug) const;

    // Replaces `found` with the drugs meeting every condition, in name order.
    DataResult search(const DrugSearch& conditions, std::vector<DrugMatch>& found) const;
    // Replaces `found` with the drugs of the same general name (the drug itself included).
    DataResult sameKind(const std::string& yjcode, std::vector<DrugMatch>& found) const;

    // Uniqueness checks on the half-width form of a YJ code and of an N code.
    Presence yjcodeInUse(const std::string& yjcode) const;
    Presence codeInUse(const std::string& code) const;
    // The same for an N code, not counting the drug with YJ code `ownYjcode`.
    Presence codeInUseByOther(const std::string& code, const std::string& ownYjcode) const;

    // Adds the drug as the user's own.
    DataResult add(const DrugRecord& record) const;
    // Changes the first drug whose YJ code is `key` (also when none has it: kDone).
    DataResult change(const DrugRecord& record, const std::string& key, DrugChange what) const;
    Deletion deletable(const std::string& yjcode) const;
    DataResult remove(const std::string& yjcode) const;

    // Reads the code map entry of a レセ電 code (CP932); kNotFound leaves `entry` untouched.
    DataResult codeMapEntry(const std::string& receiptCode, DrugCodeMapEntry& entry) const;

    // The drug master's generic facts of the drugs, facts[i] for drugs[i] by its YJ code, in
    // one read; none (found 0) for a drug without a master row or a catalogue without master.
    DataResult genericFacts(std::span<const DrugRecord> drugs,
                            std::vector<DrugGenericFacts>& facts) const;

    // Draws the drug's chosen photograph (140 x 105) at the top left of `image`, which must be
    // in Format_RGB32; true when one was drawn. Photographs are looked for under the program
    // folder; a picture that cannot be read has been reported and draws nothing.
    bool drawPhoto(const std::string& yjcode, const std::filesystem::path& programFolder,
                   QImage& image) const;
    // The same for a drug already read by `detail` or `details`, without reading it again.
    bool drawPhoto(const DrugRecord& drug, const std::filesystem::path& programFolder,
                   QImage& image) const;
    // Draws every photograph of the drug, supplied ones 1-6 and the user's (7), each into the
    // image of its number (Format_RGB32, at least 140 x 105), and sets its flag when drawn.
    // Flags of pictures not drawn are left as they are.
    void drawAllPhotos(const std::string& yjcode, const std::filesystem::path& programFolder,
                       std::array<QImage, 7>& images, std::array<bool, 7>& drawn) const;
    // Draws the JPEG file into `image` (Format_RGB32); true when it could be read and drawn.
    bool drawPhotoFile(const std::filesystem::path& file, QImage& image) const;
};

}  // namespace data
