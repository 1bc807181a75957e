// Record00, Record01 and Recordcode: passes over the name-ordered catalogue that derive list
// names and N codes from other columns. Each writes all its changes in one transaction.
#include <string>
#include <vector>

#include "list_markers.h"
#include "record_io.h"
#include "sjis/sjis.h"
#include "stored_text.h"
#include "walk.h"

using namespace drugbase;

namespace {

struct CatalogueRow {
    long long rowid = 0;
    std::string name, company, tanni, listName;  // CP932
};

// Opens the catalogue and reads it in name order into `rows`, leaving it open in `db` for the
// writes; 0, or 99 after the failure's message.
int readNameOrder(sqlkit::Db& db, std::vector<CatalogueRow>& rows) {
    Recordset rs = openRecordset(
        "SELECT rowid, PRODUCTNAME, COMPANY, TANNI, LISTNAME FROM Medicine_Information "
        "ORDER BY PRODUCTNAME, COMPANY, TANNI");
    if (!rs) return kDatabaseFailure;
    const int result = walk(rs, [&](const sqlkit::Statement& row) {
        CatalogueRow r;
        r.rowid = row.integer(0);
        cp932(row.text(1), r.name);
        cp932(row.text(2), r.company);
        cp932(row.text(3), r.tanni);
        cp932(row.text(4), r.listName);
        rows.push_back(std::move(r));
        return true;
    });
    rs.statement.reset();
    db = std::move(rs.db);
    return result;
}

// Runs `sql` once per change in one transaction; `bind(statement, change)` binds one change.
template <class Change, class Bind>
int writeAll(sqlite3* db, const char* sql, const std::vector<Change>& changes, Bind&& bind) {
    sqlkit::Transaction transaction(db);
    sqlkit::Statement update(db, sql);
    if (transaction.began() && update.ok()) {
        bool failed = false;
        for (const Change& change : changes) {
            update.reset();
            bind(update, change);
            update.step();
            if ((failed = update.failed())) break;
        }
        if (!failed && transaction.commit()) return 0;
    }
    report(Message::Update);
    return kDatabaseFailure;
}

struct ListNameChange {
    long long rowid;
    std::string listName;  // UTF-8, as stored
};

// A marker pass: `keyOf` gives the column that tells rows of one name apart, `marked` the
// new LISTNAME of a marked row.
template <class KeyOf, class Marked>
int markListNames(KeyOf&& keyOf, Marked&& marked, bool withAlwaysMarked) {
    sqlkit::Db db;
    std::vector<CatalogueRow> rows;
    if (const int result = readNameOrder(db, rows); result != 0) return result;

    std::vector<NamedRow> named;
    named.reserve(rows.size());
    for (const CatalogueRow& r : rows) named.push_back({r.name, keyOf(r)});
    const std::vector<bool> marks = markedRows(named);
    std::vector<ListNameChange> changes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (marks[i] || (withAlwaysMarked && alwaysMarked(rows[i].name)))
            changes.push_back({rows[i].rowid, storedText(marked(rows[i]), kListNameRoom)});
    }
    return writeAll(db.get(), "UPDATE Medicine_Information SET LISTNAME = ? WHERE rowid = ?",
                    changes, [](sqlkit::Statement& s, const ListNameChange& c) {
                        s.bindText(1, c.listName);
                        s.bindInt(2, c.rowid);
                    });
}

const std::string& makerMarker() {
    static const std::string m = sjis::fromUtf8("　★");
    return m;
}

const std::string& strengthMarker() {
    static const std::string m = sjis::fromUtf8("　☆");
    return m;
}

struct CodeChange {
    long long rowid;
    std::string code;  // CP932
};

}  // namespace

extern "C" {

DRUGBASE_API int Record00(void) {
    return markListNames([](const CatalogueRow& r) -> std::string_view { return r.company; },
                         [](const CatalogueRow& r) { return r.name + makerMarker() + r.company; },
                         true);
}

DRUGBASE_API int Record01(void) {
    return markListNames(
        [](const CatalogueRow& r) -> std::string_view { return r.tanni; },
        [](const CatalogueRow& r) { return r.listName + strengthMarker() + r.tanni; }, false);
}

DRUGBASE_API int Recordcode(void) {
    sqlkit::Db db;
    std::vector<CatalogueRow> rows;
    if (const int result = readNameOrder(db, rows); result != 0) return result;

    std::vector<std::string_view> names;
    names.reserve(rows.size());
    for (const CatalogueRow& r : rows) names.push_back(r.name);
    const auto codes = nCodes(names);
    std::vector<CodeChange> changes;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (codes[i]) changes.push_back({rows[i].rowid, *codes[i]});
    return writeAll(db.get(),
                    "UPDATE Medicine_Information SET CODE = ?, OPTION1 = ? WHERE rowid = ?",
                    changes, [](sqlkit::Statement& s, const CodeChange& c) {
                        s.bindText(1, storedText(c.code, "CODE"));
                        s.bindInt(2, codeSortClass(c.code));
                        s.bindInt(3, c.rowid);
                    });
}

}  // extern "C"
