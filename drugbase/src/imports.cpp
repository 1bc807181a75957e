// The maintenance imports that read the supplied K3 files: FUKUYOTEXT, TOROKU, YJSH, YJSU,
// and RecordSetImportFolder, which says where those files are.
#include <memory>
#include <vector>

#include "class_names.h"
#include "import_folder.h"
#include "k3_import.h"
#include "k3_records.h"
#include "sjis/sjis.h"
#include "stored_text.h"

using namespace drugbase;

namespace {

// Binds a field to store: NULL (keep the column as it is, through COALESCE) when it is empty
// or absent, else its text cut to the column.
template <class Field>
void bindStored(sqlkit::Statement& s, int index, const Field& field, const char* column) {
    if (field)
        s.bindText(index, storedText(*field, column));
    else
        s.bindNull(index);
}

bool run(sqlkit::Statement& s) {
    s.step();
    return !s.failed();
}

// The first drug with the key, as a find on the table would meet it.
constexpr const char* kFirstWithCode =
    " WHERE rowid = (SELECT rowid FROM Medicine_Information WHERE YJCODE = ? ORDER BY rowid "
    "LIMIT 1)";

class GuidanceImport : public K3Import {
  public:
    bool prepare(sqlite3* db) override {
        update_ = std::make_unique<sqlkit::Statement>(
            db, std::string("UPDATE Medicine_Information SET SAYOA = COALESCE(?1, SAYOA), "
                            "SAYOB = COALESCE(?2, SAYOB), SAYOC1 = COALESCE(?3, SAYOC1), "
                            "SAYOC2 = COALESCE(?4, SAYOC2), CYUUI = COALESCE(?5, CYUUI)") +
                    kFirstWithCode);
        return update_->ok();
    }
    bool apply(std::string_view record) override {
        const k3::GuidanceRecord r = k3::parseGuidance(record);
        if (!r.separatorOk) report(Message::GuidanceSeparator);
        static const char* const columns[] = {"SAYOA", "SAYOB", "SAYOC1", "SAYOC2", "CYUUI"};
        update_->reset();
        for (int i = 0; i < 5; ++i) bindStored(*update_, i + 1, r.texts[i], columns[i]);
        update_->bindMatch(6, sjis::toUtf8(r.yjcode));
        return run(*update_);
    }

  private:
    std::unique_ptr<sqlkit::Statement> update_;
};

class IdentificationImport : public K3Import {
  public:
    bool prepare(sqlite3* db) override {
        update_ = std::make_unique<sqlkit::Statement>(
            db,
            std::string("UPDATE Medicine_Information SET HONTAICODE = COALESCE(?1, "
                        "HONTAICODE), HOUSOUCODE = COALESCE(?2, HOUSOUCODE), COLOR = "
                        "COALESCE(?3, COLOR), WARISEN = CASE WHEN ?4 THEN ?5 ELSE WARISEN END") +
                kFirstWithCode);
        return update_->ok();
    }
    bool apply(std::string_view record) override {
        const k3::IdentificationRecord r = k3::parseIdentification(record);
        if (!r.separatorOk) report(Message::IdentificationSeparator);
        static const char* const columns[] = {"HONTAICODE", "HOUSOUCODE", "COLOR"};
        update_->reset();
        for (int i = 0; i < 3; ++i) bindStored(*update_, i + 1, r.codes[i], columns[i]);
        update_->bindInt(4, r.warisen ? 1 : 0);
        bindStored(*update_, 5, r.warisen, "WARISEN");
        update_->bindMatch(6, sjis::toUtf8(r.key));
        return run(*update_);
    }

  private:
    std::unique_ptr<sqlkit::Statement> update_;
};

// Record k of the file belongs to row k of the table in its own order.
class ProcessingImport : public K3Import {
  public:
    bool prepare(sqlite3* db) override {
        sqlkit::Statement rows(db, "SELECT rowid FROM Medicine_Information ORDER BY rowid");
        while (rows.step()) rowids_.push_back(rows.integer(0));
        update_ = std::make_unique<sqlkit::Statement>(
            db,
            "UPDATE Medicine_Information SET TOUYOKEIRO = COALESCE(?1, TOUYOKEIRO), SAIBUNRUI = "
            "COALESCE(?2, SAIBUNRUI), ZAIKEI = COALESCE(?3, ZAIKEI), YOUHOU = COALESCE(?4, "
            "YOUHOU), KUBUN = COALESCE(?5, KUBUN) WHERE rowid = ?6");
        return rows.ok() && !rows.failed() && update_->ok();
    }
    bool apply(std::string_view record) override {
        k3::ProcessingRecord r = k3::parseProcessing(record);
        if (!r.separatorOk) report(Message::ProcessingSeparator);
        if (r.passedOver()) return true;
        const std::size_t row = next_++;
        if (row >= rowids_.size()) return true;  // more records than drugs
        auto& classCode = r.fields[3];
        if (classCode && !classCode->empty())
            classCode = classNames_.nameOf(sjis::toHalfWidth(*classCode));
        static const char* const columns[] = {"TOUYOKEIRO", "SAIBUNRUI", "ZAIKEI", "YOUHOU",
                                              "KUBUN"};
        update_->reset();
        for (int i = 0; i < 5; ++i) bindStored(*update_, i + 1, r.fields[i + 2], columns[i]);
        update_->bindInt(6, rowids_[row]);
        return run(*update_);
    }

  private:
    std::vector<long long> rowids_;
    std::size_t next_ = 0;
    ClassNames classNames_;
    std::unique_ptr<sqlkit::Statement> update_;
};

}  // namespace

extern "C" {

DRUGBASE_API void RecordSetImportFolder(const char* folder) {
    importFolder() = folder ? folder : "";
}

DRUGBASE_API int FUKUYOTEXT(void) {
    GuidanceImport import;
    return runK3Import(kGuidanceFile, Message::GuidanceDone, import);
}

DRUGBASE_API int TOROKU(void) {
    FUKUYOTEXT();
    return 0;
}

DRUGBASE_API int YJSH(void) {
    IdentificationImport import;
    return runK3Import(kIdentificationFile, Message::IdentificationDone, import);
}

DRUGBASE_API int YJSU(void) {
    ProcessingImport import;
    return runK3Import(kProcessingFile, Message::ProcessingDone, import);
}

}  // extern "C"
