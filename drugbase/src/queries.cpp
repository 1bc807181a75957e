// The read-only calls: the main list, positions, one drug, searches and code arrays.
#include <cstring>
#include <string>
#include <vector>

#include "columns.h"
#include "record_io.h"
#include "session.h"
#include "sinks.h"
#include "sjis/sjis.h"

using namespace drugbase;

namespace {

constexpr const char* kNameOrder = " ORDER BY PRODUCTNAME, COMPANY, TANNI";
constexpr const char* kListCodeOrder = " ORDER BY OPTION1, CODE, COMPANY";
constexpr const char* kPositionCodeOrder = " ORDER BY OPTION1, CODE, COMPANY, TANNI";
constexpr const char* kMarkerName = "＄";

std::string utf8(const char* cp932Text) {
    return sjis::toUtf8(cp932Text ? cp932Text : "");
}

// A search text as the search dialog passes it: at most its 250-byte field (249 bytes of text),
// cut at a character boundary, so no typed text reaches the engine's pattern limits.
std::string searchText(const char* cp932Text) {
    constexpr std::size_t kSearchField = 250;
    if (!cp932Text) return {};
    const std::string_view text(cp932Text, strnlen(cp932Text, kSearchField));
    return sjis::toUtf8(text.substr(0, sjis::cutLength(text, kSearchField - 1)));
}

std::string select(const char* columns, const std::string& rest) {
    return std::string("SELECT ") + columns + " FROM Medicine_Information" + rest;
}

// Appends LISTNAME (column 0) and YJCODE (column 1) of every row to the two lists.
int appendNamesAndCodes(Recordset& rs, const DrugListSink* names, const DrugListSink* yjcodes) {
    std::string text;
    return outcome(rs.walk([&](const sqlkit::Statement& row) {
        add(names, cp932(row.text(0), text));
        add(yjcodes, cp932(row.text(1), text));
        return true;
    }));
}

// Copies the YJ codes of the name-ordered rows into 25-byte slots, up to `slotCount`.
int fillCodeSlots(const DrugListSink* list, char* slots, int slotCount) {
    Recordset rs(session(), select("LISTNAME, YJCODE", kNameOrder));
    if (!rs) return DRUGBASE_DB_FAILURE;
    std::string text;
    int slot = 0;
    return outcome(rs.walk([&](const sqlkit::Statement& row) {
        if (slot >= slotCount || !slots) return false;
        sjis::copyField(slots + 25 * slot++, 25, cp932(row.text(1), text));
        add(list, cp932(row.text(0), text));
        return true;
    }));
}

}  // namespace

extern "C" {

DRUGBASE_API int RecordDisplay(const DrugListViewSink* view, const DrugListSink* codes,
                               const DrugListSink* names, const DrugListSink* yjcodes,
                               int* rowCounter, int order) {
    Recordset rs(session(),
                 select("CODE, PRODUCTNAME, YJCODE", order == 0 ? kNameOrder : kListCodeOrder));
    if (!rs) return DRUGBASE_DB_FAILURE;
    std::string code, name, yjcode;
    int item = 0;
    return outcome(rs.walk([&](const sqlkit::Statement& row) {
        cp932(row.text(0), code);
        cp932(row.text(1), name);
        cp932(row.text(2), yjcode);
        insert(view, item, code);
        set(view, item, 1, name);
        add(codes, code);
        add(names, name);
        add(yjcodes, yjcode);
        ++item;
        if (rowCounter) ++*rowCounter;
        return true;
    }));
}

DRUGBASE_API int RecordPosition(const char* yjcode, int* position, int order) {
    Recordset rs(session(), select("YJCODE", order == 0 ? kNameOrder : kPositionCodeOrder));
    if (!rs) return DRUGBASE_DB_FAILURE;
    const std::string wanted = utf8(yjcode);
    int row = 0;
    return outcome(rs.walk([&](const sqlkit::Statement& r) {
        if (r.text(0) == wanted && !r.isNull(0)) {
            if (position) *position = row;
            return false;
        }
        ++row;
        return true;
    }));
}

DRUGBASE_API int RecordDetail(DrugRecord* record, const char* yjcode) {
    Recordset rs(session(), select(allColumnNames().c_str(), firstWithCode(session().dialect())));
    if (!rs) return DRUGBASE_DB_FAILURE;
    rs->bindMatch(1, utf8(yjcode));
    switch (rs.lookUp()) {
        case Lookup::Found:
            if (record) readRecord(*rs, *record);
            return DRUGBASE_OK;
        case Lookup::Missing:
            return DRUGBASE_CONDITION;
        case Lookup::Failed:
            break;
    }
    return DRUGBASE_DB_FAILURE;
}

DRUGBASE_API int RecordGOKU(const char* productName, const char* generalName, const char* maker,
                            const char* yjcode, const char* route, const char* form1,
                            const char* form2, const char* form3, const DrugListSink* names,
                            const DrugListSink* yjcodes) {
    // Each given text is a substring condition; every condition must hold, and the dosage
    // forms are alternatives of one condition.
    struct Term {
        const char* column;
        const char* value;
    };
    const Term conditions[] = {{"PRODUCTNAME", productName},
                               {"GENERALNAME", generalName},
                               {"COMPANY", maker},
                               {"YJCODE", yjcode},
                               {"TOUYOKEIRO", route}};
    const char* forms[] = {form1, form2, form3};
    const std::string contains =
        " " + std::string(session().dialect().likeAnyCase) + " '%' || ? || '%' ESCAPE '\\'";

    std::string where, formTerms;
    std::vector<std::string> values;
    for (const Term& t : conditions) {
        if (!t.value || !*t.value) continue;
        where += where.empty() ? " WHERE " : " AND ";
        where += std::string(t.column) + contains;
        values.push_back(sqlkit::likeLiteral(searchText(t.value)));
    }
    for (const char* form : forms) {
        if (!form || !*form) continue;
        formTerms += formTerms.empty() ? "" : " OR ";
        formTerms += std::string("ZAIKEI") + contains;
        values.push_back(sqlkit::likeLiteral(searchText(form)));
    }
    if (!formTerms.empty()) where += (where.empty() ? " WHERE (" : " AND (") + formTerms + ")";

    Recordset rs(session(), select("LISTNAME, YJCODE", where + kNameOrder));
    if (!rs) return DRUGBASE_DB_FAILURE;
    for (std::size_t i = 0; i < values.size(); ++i)
        rs->bindMatch(static_cast<int>(i + 1), values[i]);
    return appendNamesAndCodes(rs, names, yjcodes);
}

DRUGBASE_API int RecordDohinsyu2(const char* generalName, const DrugListSink* names,
                                 const DrugListSink* yjcodes) {
    Recordset rs(session(),
                 select("LISTNAME, YJCODE", std::string(" WHERE GENERALNAME = ?") + kNameOrder));
    if (!rs) return DRUGBASE_DB_FAILURE;
    rs->bindMatch(1, utf8(generalName));
    return appendNamesAndCodes(rs, names, yjcodes);
}

DRUGBASE_API int RecordDohinsyu(const char* yjcode, const DrugListSink* names,
                                const DrugListSink* yjcodes) {
    Recordset rs(session(), select("PRODUCTNAME, GENERALNAME",
                                   std::string(" WHERE YJCODE = ?") + kNameOrder + " LIMIT 1"));
    if (!rs) return DRUGBASE_DB_FAILURE;
    rs->bindMatch(1, utf8(yjcode));
    const Lookup found = rs.lookUp();
    if (found != Lookup::Found) return found == Lookup::Missing ? DRUGBASE_OK : DRUGBASE_DB_FAILURE;
    if (rs->text(0) == kMarkerName) return DRUGBASE_OK;
    std::string generalName;
    cp932(rs->text(1), generalName);
    // The inner search reports its own failure; same-kind lists are a convenience, so the
    // outer call still succeeds.
    RecordDohinsyu2(generalName.c_str(), names, yjcodes);
    return DRUGBASE_OK;
}

DRUGBASE_API int RecordSort(int order, const DrugListSink* list) {
    Recordset rs(session(), select("GENERALNAME", order == 1 ? " ORDER BY GENERALNAME DESC"
                                                             : " ORDER BY GENERALNAME ASC"));
    if (!rs) return DRUGBASE_DB_FAILURE;
    clear(list);
    std::string text;
    return outcome(rs.walk([&](const sqlkit::Statement& row) {
        add(list, cp932(row.text(0), text));
        return true;
    }));
}

DRUGBASE_API int RecordREYJ(char* slots, int slotCount) {
    return fillCodeSlots(nullptr, slots, slotCount);
}

DRUGBASE_API int RecordDisplayFU(const DrugListSink* list, char* slots, int slotCount) {
    return fillCodeSlots(list, slots, slotCount);
}

}  // extern "C"
