// The maintenance imports that read the supplied K3 files: FUKUYOTEXT, TOROKU, YJSH, YJSU,
// and RecordSetImportFolder, which says where those files are.
#include <optional>
#include <string>
#include <vector>

#include "class_names.h"
#include "columns.h"
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
std::string whereFirstWithCode(const sqlkit::Dialect& dialect) {
    return " WHERE " + std::string(dialect.rowKey) + " = (" + keyOfFirstWithCode(dialect) + ")";
}

// Prepares `sql` into `statement`; false when the catalogue cannot take it.
bool prepareInto(std::optional<sqlkit::Statement>& statement, sqlkit::Connection& catalogue,
                 const std::string& sql) {
    statement = catalogue.prepare(sql);
    return statement->ok();
}

class GuidanceImport : public K3Import {
  public:
    bool prepare(sqlkit::Connection& catalogue) override {
        return prepareInto(update_, catalogue,
                           "UPDATE Medicine_Information SET SAYOA = COALESCE(?, SAYOA), "
                           "SAYOB = COALESCE(?, SAYOB), SAYOC1 = COALESCE(?, SAYOC1), "
                           "SAYOC2 = COALESCE(?, SAYOC2), CYUUI = COALESCE(?, CYUUI)" +
                               whereFirstWithCode(catalogue.dialect()));
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
    std::optional<sqlkit::Statement> update_;
};

class IdentificationImport : public K3Import {
  public:
    bool prepare(sqlkit::Connection& catalogue) override {
        return prepareInto(update_, catalogue,
                           "UPDATE Medicine_Information SET HONTAICODE = COALESCE(?, "
                           "HONTAICODE), HOUSOUCODE = COALESCE(?, HOUSOUCODE), COLOR = "
                           "COALESCE(?, COLOR), WARISEN = CASE WHEN ? THEN ? ELSE WARISEN END" +
                               whereFirstWithCode(catalogue.dialect()));
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
    std::optional<sqlkit::Statement> update_;
};

// Record k of the file belongs to row k of the table in its own order.
class ProcessingImport : public K3Import {
  public:
    bool prepare(sqlkit::Connection& catalogue) override {
        const std::string rowKey(catalogue.dialect().rowKey);
        sqlkit::Statement rows =
            catalogue.prepare("SELECT " + rowKey + " FROM Medicine_Information ORDER BY " + rowKey);
        while (rows.step()) rowKeys_.push_back(rows.integer(0));
        return rows.ok() && !rows.failed() &&
               prepareInto(update_, catalogue,
                           "UPDATE Medicine_Information SET TOUYOKEIRO = COALESCE(?, TOUYOKEIRO), "
                           "SAIBUNRUI = COALESCE(?, SAIBUNRUI), ZAIKEI = COALESCE(?, ZAIKEI), "
                           "YOUHOU = COALESCE(?, YOUHOU), KUBUN = COALESCE(?, KUBUN) WHERE " +
                               rowKey + " = ?");
    }
    bool apply(std::string_view record) override {
        k3::ProcessingRecord r = k3::parseProcessing(record);
        if (!r.separatorOk) report(Message::ProcessingSeparator);
        if (r.passedOver()) return true;
        const std::size_t row = next_++;
        if (row >= rowKeys_.size()) return true;  // more records than drugs
        auto& classCode = r.fields[3];
        if (classCode && !classCode->empty())
            classCode = classNames_.nameOf(sjis::toHalfWidth(*classCode));
        static const char* const columns[] = {"TOUYOKEIRO", "SAIBUNRUI", "ZAIKEI", "YOUHOU",
                                              "KUBUN"};
        update_->reset();
        for (int i = 0; i < 5; ++i) bindStored(*update_, i + 1, r.fields[i + 2], columns[i]);
        update_->bindInt(6, rowKeys_[row]);
        return run(*update_);
    }

  private:
    std::vector<long long> rowKeys_;
    std::size_t next_ = 0;
    ClassNames classNames_;
    std::optional<sqlkit::Statement> update_;
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
    return DRUGBASE_OK;
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
