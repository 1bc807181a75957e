// The register's reading calls: one patient, the lists, the combined search, ID proposals,
// duplicate checks, the name for an ID and the position of an ID.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "reading_key.h"
#include "register_columns.h"
#include "register_io.h"
#include "register_session.h"
#include "register_sinks.h"
#include "search_conditions.h"
#include "sjis/sjis.h"

using namespace patientbase;

namespace {

// Runs a lookup that binds one ID; gives Found with the row in `rs`, Missing, or Failed after
// the library's message.
Lookup lookUpId(Recordset& rs, int id) {
    if (!rs) return Lookup::Failed;
    rs->bindInt(1, id);
    return rs.lookUp();
}

// One row of the patient list with what the name order compares.
struct ListedPatient {
    long long id = 0;
    std::string name;
    std::string readingKey;
};

// Name order: patients with a reading first, by reading, then name, then ID; those without one
// after them by name, then ID. Names compare as CP932 bytes.
bool listedBefore(const ListedPatient& a, const ListedPatient& b) {
    if (a.readingKey.empty() != b.readingKey.empty()) return b.readingKey.empty();
    return std::tie(a.readingKey, a.name, a.id) < std::tie(b.readingKey, b.name, b.id);
}

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordDetail(PatientRecord* record, const char* name, int id, int byId) {
    const std::string columns = registerColumnList();
    const sqlkit::Dialect& dialect = session().dialect();
    Recordset rs(session(), byId ? selectFirstWithId(columns, dialect)
                                 : "SELECT " + columns +
                                       " FROM Patient_Information WHERE PATIENT = ? ORDER BY " +
                                       std::string(dialect.rowKey) + " LIMIT 1");
    if (!rs) return PATIENTBASE_DB_FAILURE;
    if (byId)
        rs->bindInt(1, id);
    else
        rs->bindMatch(1, storedText(name));
    const Lookup found = rs.lookUp();
    if (found == Lookup::Found && record) readRecord(*rs, 0, *record);
    return outcome(found, PATIENTBASE_OK, PATIENTBASE_OK);
}

PATIENTBASE_API int LRecordDisplay(int byName, const PatientListViewSink* view) {
    Recordset rs(session(), patientListSql(byName != 0));
    if (!rs) return PATIENTBASE_DB_FAILURE;
    std::vector<ListedPatient> rows;
    std::string text;
    const bool walked = rs.walk([&](const sqlkit::Statement& row) {
        ListedPatient& p = rows.emplace_back();
        p.id = row.integer(0);
        p.name = cp932(row.text(1), text);
        if (byName) p.readingKey = readingKey(cp932(row.text(2), text));
        return true;
    });
    // SQL cannot order the normalised reading, so the name order is made here.
    if (byName) std::sort(rows.begin(), rows.end(), listedBefore);
    int item = 0;
    for (const ListedPatient& p : rows) {
        insert(view, item, std::to_string(p.id));
        set(view, item, 1, p.name);
        ++item;
    }
    return outcome(walked);
}

PATIENTBASE_API int LRecordGOKU(const char* searchTexts, const int32_t* searchCodes,
                                const char* birthTexts, const PatientListSink* ids,
                                const PatientListSink* names) {
    const SearchConditions conditions({searchTexts, searchCodes, birthTexts}, session().dialect());
    Recordset rs(session(), "SELECT ID, PATIENT FROM Patient_Information" +
                                conditions.whereClause() + " ORDER BY ID");
    if (!rs) return PATIENTBASE_DB_FAILURE;
    conditions.bind(*rs);
    std::string name;
    return outcome(rs.walk([&](const sqlkit::Statement& row) {
        add(ids, std::to_string(row.integer(0)));
        add(names, cp932(row.text(1), name));
        return true;
    }));
}

PATIENTBASE_API int LRecordID_cyoufuku(int id) {
    Recordset rs(session(), "SELECT 1 FROM Patient_Information WHERE ID = ? LIMIT 1");
    return outcome(lookUpId(rs, id), PATIENTBASE_ID_TAKEN, PATIENTBASE_OK);
}

PATIENTBASE_API int LRecordID_CLIENT(int id, char* name) {
    constexpr std::size_t kNameBuffer = 256;
    Recordset rs(session(), selectFirstWithId("PATIENT", session().dialect()));
    const Lookup found = lookUpId(rs, id);
    std::string text;
    if (found == Lookup::Found && name)
        sjis::copyField(name, kNameBuffer, cp932(rs->text(0), text));
    return outcome(found, PATIENTBASE_OK, PATIENTBASE_OK);
}

PATIENTBASE_API int LRecordNo(int id) {
    // The first patient with the ID comes after every patient with a lower one.
    Recordset rs(session(),
                 "SELECT (SELECT count(*) FROM Patient_Information WHERE ID < ?), "
                 "EXISTS (SELECT 1 FROM Patient_Information WHERE ID = ?)");
    if (rs) rs->bindInt(2, id);
    if (lookUpId(rs, id) != Lookup::Found) return PATIENTBASE_DB_FAILURE;
    return rs->integer(1) ? int32Of(rs->integer(0) + 1) : 0;
}

}  // extern "C"
