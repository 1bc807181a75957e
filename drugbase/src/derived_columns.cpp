// Record00, Record01 and Recordcode: passes over the name-ordered catalogue that derive list
// names and N codes from other columns. Each writes all its changes in one transaction.
#include <string>
#include <vector>

#include "list_markers.h"
#include "record_io.h"
#include "session.h"
#include "sjis/sjis.h"
#include "stored_text.h"

using namespace drugbase;

namespace {

struct CatalogueRow {
    long long rowKey = 0;
    std::string name, company, tanni, listName;  // CP932
};

// Reads the catalogue in name order into `rows` inside the pass's transaction; false after the
// failure's message.
bool readNameOrder(WriteCall& call, std::vector<CatalogueRow>& rows) {
    if (!call.ok() || !call.startBulkWrite()) return false;
    auto rs = call.prepare("SELECT " + std::string(call.dialect().rowKey) +
                           ", PRODUCTNAME, COMPANY, TANNI, LISTNAME FROM Medicine_Information "
                           "ORDER BY PRODUCTNAME, COMPANY, TANNI");
    return rs && call.walk(*rs, [&](const sqlkit::Statement& row) {
        CatalogueRow r;
        r.rowKey = row.integer(0);
        cp932(row.text(1), r.name);
        cp932(row.text(2), r.company);
        cp932(row.text(3), r.tanni);
        cp932(row.text(4), r.listName);
        rows.push_back(std::move(r));
        return true;
    });
}

// Runs "<set> WHERE <row key> = ?" once per change and commits; `bind(statement, change)` binds
// one change, the row key last.
template <class Change, class Bind>
int writeAll(WriteCall& call, const char* set, const std::vector<Change>& changes, Bind&& bind) {
    auto update =
        call.prepare(std::string(set) + " WHERE " + std::string(call.dialect().rowKey) + " = ?",
                     Failure::Update);
    if (!update) return DRUGBASE_DB_FAILURE;
    for (const Change& change : changes) {
        update->reset();
        bind(*update, change);
        if (!call.execute(*update)) return DRUGBASE_DB_FAILURE;
    }
    return outcome(call.commit());
}

struct ListNameChange {
    long long rowKey;
    std::string listName;  // UTF-8, as stored
};

// A marker pass: `keyOf` gives the column that tells rows of one name apart, `marked` the
// new LISTNAME of a marked row.
template <class KeyOf, class Marked>
int markListNames(KeyOf&& keyOf, Marked&& marked, bool withAlwaysMarked) {
    WriteCall call(session());
    std::vector<CatalogueRow> rows;
    if (!readNameOrder(call, rows)) return DRUGBASE_DB_FAILURE;

    std::vector<NamedRow> named;
    named.reserve(rows.size());
    for (const CatalogueRow& r : rows) named.push_back({r.name, keyOf(r)});
    const std::vector<bool> marks = markedRows(named);
    std::vector<ListNameChange> changes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (marks[i] || (withAlwaysMarked && alwaysMarked(rows[i].name)))
            changes.push_back({rows[i].rowKey, storedText(marked(rows[i]), kListNameRoom)});
    }
    return writeAll(call, "UPDATE Medicine_Information SET LISTNAME = ?", changes,
                    [](sqlkit::Statement& s, const ListNameChange& c) {
                        s.bindText(1, c.listName);
                        s.bindInt(2, c.rowKey);
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
    long long rowKey;
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
    WriteCall call(session());
    std::vector<CatalogueRow> rows;
    if (!readNameOrder(call, rows)) return DRUGBASE_DB_FAILURE;

    std::vector<std::string_view> names;
    names.reserve(rows.size());
    for (const CatalogueRow& r : rows) names.push_back(r.name);
    const auto codes = nCodes(names);
    std::vector<CodeChange> changes;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (codes[i]) changes.push_back({rows[i].rowKey, *codes[i]});
    return writeAll(call, "UPDATE Medicine_Information SET CODE = ?, OPTION1 = ?", changes,
                    [](sqlkit::Statement& s, const CodeChange& c) {
                        s.bindText(1, storedText(c.code, "CODE"));
                        s.bindInt(2, codeSortClass(c.code));
                        s.bindInt(3, c.rowKey);
                    });
}

}  // extern "C"
