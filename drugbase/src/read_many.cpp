// Several drugs read at once: a leaflet's drugs in one statement rather than one per drug.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "code_places.h"
#include "columns.h"
#include "record_io.h"
#include "session.h"
#include "sjis/sjis.h"
#include "sqlkit/one_of.h"

using namespace drugbase;

namespace {

// Reads the drugs of codes [from, to) and marks every place that asked for each.
bool readBatch(const char* const* codes, int from, int to, DrugRecord* records, int* found) {
    const sqlkit::Dialect& dialect = session().dialect();
    const CodePlaces asked = codePlaces(codes, from, to);
    const auto& places = asked.places;
    const std::vector<std::string>& distinct = asked.distinct;
    // Table order, so that of several drugs with one code the first is read, as RecordDetail.
    Recordset rs(session(), "SELECT " + allColumnNames() +
                                ", YJCODE FROM Medicine_Information WHERE " +
                                sqlkit::oneOf(dialect, "YJCODE", distinct.size()) + " ORDER BY " +
                                std::string(dialect.rowKey));
    if (!rs) return false;
    sqlkit::bindOneOf(*rs, dialect, 1, distinct);
    const int codeColumn = static_cast<int>(kColumns.size());
    return rs.walk([&](const sqlkit::Statement& row) {
        const auto at = places.find(std::string(row.text(codeColumn)));
        if (at == places.end() || found[at->second.front()]) return true;
        for (int i : at->second) {
            readRecord(row, records[i]);
            found[i] = 1;
        }
        return true;
    });
}

}  // namespace

DRUGBASE_API int RecordReadMany(const char* const* codes, int count, DrugRecord* records,
                                int* found) {
    if (count <= 0) return DRUGBASE_OK;
    std::fill(found, found + count, 0);
    const int batch = static_cast<int>(std::min<std::size_t>(
        sqlkit::oneOfLimit(session().dialect()), static_cast<std::size_t>(count)));
    for (int from = 0; from < count; from += batch)
        if (!readBatch(codes, from, std::min(count, from + batch), records, found))
            return DRUGBASE_DB_FAILURE;
    return DRUGBASE_OK;
}
