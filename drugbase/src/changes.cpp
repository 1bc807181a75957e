// Uniqueness checks, create, edit and delete. Every change runs in one transaction.
#include <cstring>
#include <string>
#include <vector>

#include "columns.h"
#include "record_io.h"
#include "sjis/sjis.h"
#include "walk.h"

using namespace drugbase;

namespace {

std::string utf8(const char* cp932Text) {
    return sjis::toUtf8(cp932Text ? cp932Text : "");
}

// The half-width form of a code as the uniqueness checks compare it, converted whole.
std::string halfWidthUtf8(const char* code) {
    return sjis::toUtf8(sjis::toHalfWidth(code ? code : ""));
}

// 1 when the query with its bound values finds a row, 0 when not, 99 on failure.
int exists(const char* where, const std::vector<std::string>& values) {
    Recordset rs = openRecordset(std::string("SELECT 1 FROM Medicine_Information WHERE ") + where +
                                 " LIMIT 1");
    if (!rs) return kDatabaseFailure;
    for (std::size_t i = 0; i < values.size(); ++i)
        rs->bindMatch(static_cast<int>(i + 1), values[i]);
    if (rs->step()) return 1;
    if (!rs->failed()) return 0;
    report(Message::Find);
    return kDatabaseFailure;
}

// PHOTO1 ... PHOTO6: set only by the supplied data, 0 for a drug the user creates.
bool isSuppliedPhotoFlag(const Column& c) {
    const std::string_view name = c.name;
    return name.size() == 6 && name.starts_with("PHOTO");
}

int32_t number(const DrugRecord& record, const char* name) {
    int32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + column(name).offset, sizeof value);
    return value;
}

// Runs one change statement in its own transaction; 0 when it landed, else reports
// "Error:RECORDSET.Update" and gives `failure`.
template <class Bind>
int change(sqlkit::Db& db, const std::string& sql, Bind&& bind, int failure) {
    sqlkit::Transaction transaction(db.get());
    sqlkit::Statement statement(db.get(), sql);
    if (transaction.began() && statement.ok()) {
        bind(statement);
        statement.step();
        if (!statement.failed() && transaction.commit()) return 0;
    }
    report(Message::Update);
    return failure;
}

// The row a key names for an edit: the first in name order, as the drug list shows it.
// Gives 0 with `rowid` set, 1 when there is none, 99 on failure.
int findForEdit(sqlkit::Db& db, const char* key, long long& rowid) {
    sqlkit::Statement find(db.get(),
                           "SELECT rowid FROM Medicine_Information WHERE YJCODE = ? "
                           "ORDER BY PRODUCTNAME, COMPANY, TANNI LIMIT 1");
    if (!find.ok()) {
        report(Message::RecordsetOpen);
        return kDatabaseFailure;
    }
    find.bindMatch(1, utf8(key));
    if (find.step()) {
        rowid = find.integer(0);
        return 0;
    }
    if (!find.failed()) return 1;
    report(Message::Find);
    return kDatabaseFailure;
}

// SET list and bindings of a full edit: every descriptive field from the buffer; LISTNAME
// follows a non-empty product name; the photograph columns and ORIDGINAL stay as they are.
struct FullEdit {
    std::string sql = "UPDATE Medicine_Information SET ";
    std::vector<const Column*> fields;

    explicit FullEdit(const DrugRecord& record) {
        const bool hasName = !fieldText(record, column("PRODUCTNAME")).empty();
        for (const Column& c : kColumns) {
            const std::string_view name = c.name;
            if (c.width == 0 || name.starts_with("PHOTO") || name == "LISTHYOUJI" ||
                name == "ORIDGINAL")
                continue;
            fields.push_back(&c);
            sql += std::string(c.name) + " = ?, ";
        }
        if (hasName) sql += "LISTNAME = ?, ";
        sql += "LISTHYOUJI = 1, OPTION1 = ? WHERE rowid = ?";
    }
};

}  // namespace

extern "C" {

DRUGBASE_API int RecordCreate00(const char* yjcode) {
    return exists("YJCODE = ?", {halfWidthUtf8(yjcode)});
}

DRUGBASE_API int RecordCreate01(const char* code) {
    return exists("CODE = ?", {halfWidthUtf8(code)});
}

DRUGBASE_API int RecordCreate44(const char* code, const char* yjcode, int mode) {
    if (mode != 0) return exists("CODE = ?", {halfWidthUtf8(code)});
    return exists("CODE = ? AND YJCODE <> ?", {halfWidthUtf8(code), utf8(yjcode)});
}

DRUGBASE_API int RecordCreate(const DrugRecord* record) {
    constexpr int kFailure = 1;
    sqlkit::Db db;
    if (session().ready) db = sqlkit::openEncrypted(session().file, kPassword, nullptr);
    if (!db) {
        report(Message::DatabaseOpen);
        return kFailure;
    }
    if (!sqlkit::exec(db.get(), "SELECT 1 FROM Medicine_Information LIMIT 0")) {
        report(Message::TableOpen);
        return kFailure;
    }
    if (!record || fieldText(*record, column("PRODUCTNAME")).empty()) return 0;

    std::string placeholders;
    for (std::size_t i = 0; i < kColumns.size(); ++i) placeholders += i ? ", ?" : "?";
    const std::string sql =
        "INSERT INTO Medicine_Information (" + allColumnNames() + ") VALUES (" + placeholders + ")";
    return change(
        db, sql,
        [&](sqlkit::Statement& s) {
            for (std::size_t i = 0; i < kColumns.size(); ++i) {
                const Column& c = kColumns[i];
                const int index = static_cast<int>(i + 1);
                const std::string_view name = c.name;
                if (name == "LISTNAME")
                    bindField(s, index, *record, column("PRODUCTNAME"));
                else if (name == "LISTHYOUJI" || name == "ORIDGINAL")
                    s.bindInt(index, 1);
                else if (name == "OPTION1")
                    s.bindInt(index, codeSortClass(fieldText(*record, column("CODE"))));
                else if (c.width == 0)
                    s.bindNull(index);
                else if (isSuppliedPhotoFlag(c))
                    s.bindInt(index, 0);
                else
                    bindField(s, index, *record, c);
            }
        },
        kFailure);
}

DRUGBASE_API int RecordEdit(const DrugRecord* record, const char* key, int mode) {
    if (!record) return 0;
    sqlkit::Db db = openCatalogue();
    if (!db) return kDatabaseFailure;
    long long rowid = 0;
    if (const int found = findForEdit(db, key, rowid); found != 0) return found == 1 ? 0 : found;

    if (mode == 0) {
        const FullEdit edit(*record);
        return change(
            db, edit.sql,
            [&](sqlkit::Statement& s) {
                int index = 1;
                for (const Column* c : edit.fields) bindField(s, index++, *record, *c);
                if (!fieldText(*record, column("PRODUCTNAME")).empty())
                    bindField(s, index++, *record, column("PRODUCTNAME"));
                s.bindInt(index++, codeSortClass(fieldText(*record, column("CODE"))));
                s.bindInt(index, rowid);
            },
            kDatabaseFailure);
    }
    if (mode == 1 || mode == 2) {
        const std::string sql =
            mode == 1 ? "UPDATE Medicine_Information SET PHOTO_HYOUJI = ? WHERE rowid = ?"
                      : "UPDATE Medicine_Information SET PHOTO_HYOUJI = ?, "
                        "PHOTO_TOROKU = ? WHERE rowid = ?";
        return change(
            db, sql,
            [&](sqlkit::Statement& s) {
                s.bindInt(1, number(*record, "PHOTO_HYOUJI"));
                if (mode == 2) bindField(s, 2, *record, column("PHOTO_TOROKU"));
                s.bindInt(mode == 1 ? 2 : 3, rowid);
            },
            kDatabaseFailure);
    }
    return 0;
}

DRUGBASE_API int RecordDell00(const char* yjcode) {
    Recordset rs = openRecordset(
        "SELECT ORIDGINAL FROM Medicine_Information WHERE YJCODE = ? ORDER BY rowid LIMIT 1");
    if (!rs) return kDatabaseFailure;
    rs->bindMatch(1, utf8(yjcode));
    if (rs->step()) return rs->integer(0) == 0 ? 1 : 0;
    if (!rs->failed()) return 0;
    report(Message::Find);
    return kDatabaseFailure;
}

DRUGBASE_API int RecordDell(const char* yjcode) {
    sqlkit::Db db = openCatalogue();
    if (!db) return kDatabaseFailure;
    return change(
        db,
        "DELETE FROM Medicine_Information WHERE rowid = (SELECT rowid FROM Medicine_Information "
        "WHERE YJCODE = ? ORDER BY rowid LIMIT 1)",
        [&](sqlkit::Statement& s) { s.bindMatch(1, utf8(yjcode)); }, kDatabaseFailure);
}

}  // extern "C"
