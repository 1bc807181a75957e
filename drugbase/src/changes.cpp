// Uniqueness checks, create, edit and delete. Every change runs in one transaction.
#include <memory>
#include <string>
#include <vector>

#include "columns.h"
#include "name_keys.h"
#include "record_io.h"
#include "session.h"
#include "sjis/sjis.h"
#include "user_photos.h"

using namespace drugbase;

namespace {

std::string utf8(const char* cp932Text) {
    return sjis::toUtf8(cp932Text ? cp932Text : "");
}

// The half-width form of a code as the uniqueness checks compare it, converted whole.
std::string halfWidthUtf8(const char* code) {
    return sjis::toUtf8(sjis::toHalfWidth(code ? code : ""));
}

// DRUGBASE_CONDITION when the query with its bound values finds a row, DRUGBASE_OK when not.
int exists(const char* where, const std::vector<std::string>& values) {
    Recordset rs(session(),
                 std::string("SELECT 1 FROM Medicine_Information WHERE ") + where + " LIMIT 1");
    if (!rs) return DRUGBASE_DB_FAILURE;
    for (std::size_t i = 0; i < values.size(); ++i)
        rs->bindMatch(static_cast<int>(i + 1), values[i]);
    return outcome(rs.lookUp(), DRUGBASE_CONDITION, DRUGBASE_OK);
}

// PHOTO1 ... PHOTO6: set only by the supplied data, 0 for a drug the user creates.
bool isSuppliedPhotoFlag(const Column& c) {
    const std::string_view name = c.name;
    return name.size() == 6 && name.starts_with("PHOTO");
}

// Runs one change statement, then `also` and the change's audit row in the call's
// transaction; DRUGBASE_OK when all landed, else `failure` after the reason was reported.
template <class Bind, class Also>
int change(WriteCall& call, const std::string& sql, Bind&& bind, int failure, Also&& also,
           const audit::Entry& entry) {
    auto statement = call.prepare(sql, Failure::Update);
    if (!statement) return failure;
    bind(*statement);
    return call.execute(*statement) && also() && call.record(entry) && call.commit() ? DRUGBASE_OK
                                                                                     : failure;
}

// What an audit row says of a drug: its YJ code, and `more` after it.
std::string drugDetail(std::string_view yjcodeUtf8, const std::string& more = {}) {
    return "YJCODE " + std::string(yjcodeUtf8) + (more.empty() ? "" : ": " + more);
}

// The names of the fields a full edit changes, separated by spaces (values never).
std::string changedFields(WriteCall& call, long long rowKey, const DrugRecord& after,
                          const std::vector<const Column*>& fields) {
    auto read = call.prepare("SELECT " + allColumnNames() + " FROM Medicine_Information WHERE " +
                             std::string(call.dialect().rowKey) + " = ?");
    if (!read) return {};
    read->bindInt(1, rowKey);
    if (call.lookUp(*read) != Lookup::Found) return {};
    auto before = std::make_unique<DrugRecord>();
    readRecord(*read, *before);
    std::string names;
    for (const Column* c : fields)
        if (fieldText(*before, *c) != fieldText(after, *c))
            names += (names.empty() ? "" : " ") + std::string(c->name);
    return names;
}

std::string textOf(const DrugRecord& record, const char* name) {
    return std::string(fieldText(record, column(name)));
}

// The name key of the product name the change stored, in its transaction.
bool keepNameKey(WriteCall& call, const DrugRecord& record) {
    if (ensureNameKeys(call.connection()) &&
        NameKeyInsert(call.connection()).add(sjis::toUtf8(textOf(record, "PRODUCTNAME"))))
        return true;
    call.report(Failure::Update, call.connection().lastError());
    return false;
}

// The row a key names for an edit: the first in name order, as the drug list shows it.
Lookup findForEdit(WriteCall& call, const char* key, long long& rowKey) {
    auto find = call.prepare("SELECT " + std::string(call.dialect().rowKey) +
                             " FROM Medicine_Information WHERE YJCODE = ? "
                             "ORDER BY PRODUCTNAME, COMPANY, TANNI LIMIT 1");
    if (!find) return Lookup::Failed;
    find->bindMatch(1, utf8(key));
    const Lookup found = call.lookUp(*find);
    if (found == Lookup::Found) rowKey = find->integer(0);
    return found;
}

// SET list and bindings of a full edit: every descriptive field from the buffer; LISTNAME
// follows a non-empty product name; the photograph columns and ORIDGINAL stay as they are.
struct FullEdit {
    std::string sql = "UPDATE Medicine_Information SET ";
    std::vector<const Column*> fields;

    FullEdit(const DrugRecord& record, const sqlkit::Dialect& dialect) {
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
        sql += "LISTHYOUJI = 1, OPTION1 = ? WHERE " + std::string(dialect.rowKey) + " = ?";
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
    constexpr int kFailure = DRUGBASE_CONDITION;
    WriteCall call(session());
    if (!call.ok()) return kFailure;
    if (!call.connection().exec("SELECT 1 FROM Medicine_Information LIMIT 0")) {
        call.report(Failure::TableOpen, call.connection().lastError());
        return kFailure;
    }
    if (!record || fieldText(*record, column("PRODUCTNAME")).empty()) return DRUGBASE_OK;

    std::string placeholders;
    for (std::size_t i = 0; i < kColumns.size(); ++i) placeholders += i ? ", ?" : "?";
    const std::string sql =
        "INSERT INTO Medicine_Information (" + allColumnNames() + ") VALUES (" + placeholders + ")";
    return change(
        call, sql,
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
        kFailure,
        [&] {
            return keepNameKey(call, *record) &&
                   keepUserPhoto(call, sjis::toUtf8(textOf(*record, "YJCODE")),
                                 textOf(*record, "PHOTO_TOROKU"));
        },
        {audit::Action::DrugRegister, 0, drugDetail(utf8(textOf(*record, "YJCODE").c_str()))});
}

DRUGBASE_API int RecordEdit(const DrugRecord* record, const char* key, int mode) {
    if (!record) return DRUGBASE_OK;
    WriteCall call(session());
    if (!call.ok()) return DRUGBASE_DB_FAILURE;
    long long rowKey = 0;
    if (const Lookup found = findForEdit(call, key, rowKey); found != Lookup::Found)
        return outcome(found, DRUGBASE_OK, DRUGBASE_OK);
    const std::string whereRow = " WHERE " + std::string(call.dialect().rowKey) + " = ?";

    if (mode == 0) {
        const FullEdit edit(*record, call.dialect());
        const audit::Entry entry{
            audit::Action::DrugCorrect, 0,
            drugDetail(utf8(key), changedFields(call, rowKey, *record, edit.fields))};
        return change(
            call, edit.sql,
            [&](sqlkit::Statement& s) {
                int index = 1;
                for (const Column* c : edit.fields) bindField(s, index++, *record, *c);
                if (!fieldText(*record, column("PRODUCTNAME")).empty())
                    bindField(s, index++, *record, column("PRODUCTNAME"));
                s.bindInt(index++, codeSortClass(fieldText(*record, column("CODE"))));
                s.bindInt(index, rowKey);
            },
            DRUGBASE_DB_FAILURE,
            [&] {
                return keepNameKey(call, *record) &&
                       moveUserPhoto(call, utf8(key), sjis::toUtf8(textOf(*record, "YJCODE")));
            },
            entry);
    }
    if (mode == 1 || mode == 2) {
        const std::string sql = (mode == 1 ? "UPDATE Medicine_Information SET PHOTO_HYOUJI = ?"
                                           : "UPDATE Medicine_Information SET PHOTO_HYOUJI = ?, "
                                             "PHOTO_TOROKU = ?") +
                                whereRow;
        return change(
            call, sql,
            [&](sqlkit::Statement& s) {
                s.bindInt(1, fieldNumber(*record, column("PHOTO_HYOUJI")));
                if (mode == 2) bindField(s, 2, *record, column("PHOTO_TOROKU"));
                s.bindInt(mode == 1 ? 2 : 3, rowKey);
            },
            DRUGBASE_DB_FAILURE,
            [&] {
                return mode == 1 || keepUserPhoto(call, utf8(key), textOf(*record, "PHOTO_TOROKU"));
            },
            {audit::Action::DrugCorrect, 0,
             drugDetail(utf8(key), mode == 1 ? "PHOTO_HYOUJI" : "PHOTO_HYOUJI PHOTO_TOROKU")});
    }
    return DRUGBASE_OK;
}

DRUGBASE_API int RecordDell00(const char* yjcode) {
    Recordset rs(session(),
                 "SELECT ORIDGINAL FROM Medicine_Information" + firstWithCode(session().dialect()));
    if (!rs) return DRUGBASE_DB_FAILURE;
    rs->bindMatch(1, utf8(yjcode));
    const Lookup found = rs.lookUp();
    const bool userMade = found == Lookup::Found && rs->integer(0) != 0;
    return outcome(found, userMade ? DRUGBASE_OK : DRUGBASE_CONDITION, DRUGBASE_OK);
}

DRUGBASE_API int RecordDell(const char* yjcode) {
    WriteCall call(session());
    if (!call.ok()) return DRUGBASE_DB_FAILURE;
    // A code no drug has deletes nothing, and so leaves no audit row either.
    auto find = call.prepare(keyOfFirstWithCode(call.dialect()));
    if (!find) return DRUGBASE_DB_FAILURE;
    find->bindMatch(1, utf8(yjcode));
    if (const Lookup found = call.lookUp(*find); found != Lookup::Found)
        return outcome(found, DRUGBASE_OK, DRUGBASE_OK);
    const long long rowKey = find->integer(0);
    return change(
        call,
        "DELETE FROM Medicine_Information WHERE " + std::string(call.dialect().rowKey) + " = ?",
        [&](sqlkit::Statement& s) { s.bindInt(1, rowKey); }, DRUGBASE_DB_FAILURE,
        [&] { return dropOrphanUserPhoto(call, utf8(yjcode)); },
        {audit::Action::DrugDelete, 0, drugDetail(utf8(yjcode))});
}

}  // extern "C"
