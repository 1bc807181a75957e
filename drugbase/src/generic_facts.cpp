// MasterGenericFacts: a leaflet's drugs' facts about generics from the master's columns of the
// code map, in one statement per batch.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "code_map.h"
#include "code_places.h"
#include "session.h"
#include "sjis/sjis.h"
#include "sqlkit/one_of.h"

using namespace drugbase;

namespace {

DrugGenericFacts factsOf(const sqlkit::Statement& row) {
    DrugGenericFacts facts{};
    facts.found = 1;
    facts.generic = row.integer(1) == 1 ? 1 : 0;
    sjis::copyField(facts.unit, sizeof facts.unit, sjis::fromUtf8(row.text(2)));
    facts.price = row.isNull(3) ? -1 : row.integer(3);
    facts.lowestGenericPrice = facts.generic || row.isNull(4) ? -1 : row.integer(4);
    return facts;
}

// Reads the facts of codes [from, to) into every place that asked for each code.
bool readBatch(dbcall::Call& call, const char* const* codes, int from, int to,
               DrugGenericFacts* facts) {
    const CodePlaces asked = codePlaces(codes, from, to);
    const auto& places = asked.places;
    const std::vector<std::string>& distinct = asked.distinct;
    const sqlkit::Dialect& dialect = call.dialect();
    auto rs = call.prepare(
        "SELECT m.YJCODE, m.GENERIC, m.TANNI, m.PRICE, (SELECT MIN(g.PRICE) FROM Code_Map g "
        "WHERE g.GENERICGROUP = m.GENERICGROUP AND g.GENERIC = 1) FROM Code_Map m WHERE " +
        sqlkit::oneOf(dialect, "m.YJCODE", distinct.size()) + " ORDER BY m.RECEIPTCODE");
    if (!rs) return false;
    sqlkit::bindOneOf(*rs, dialect, 1, distinct);
    return call.walk(*rs, [&](const sqlkit::Statement& row) {
        const auto at = places.find(std::string(row.text(0)));
        if (at == places.end() || facts[at->second.front()].found) return true;
        const DrugGenericFacts read = factsOf(row);
        for (int i : at->second) facts[i] = read;
        return true;
    });
}

}  // namespace

DRUGBASE_API int MasterGenericFacts(const char* const* codes, int count, DrugGenericFacts* facts) {
    if (count <= 0) return DRUGBASE_OK;
    if (!codes || !facts) return DRUGBASE_CONDITION;
    std::fill(facts, facts + count, DrugGenericFacts{});
    dbcall::Call call(session());
    if (!call.opened()) return DRUGBASE_DB_FAILURE;
    // A file made before the master's facts (or the code map) has nothing to tell: no failure.
    if (!hasMasterFacts(call.connection())) return DRUGBASE_OK;
    const int batch = static_cast<int>(
        std::min<std::size_t>(sqlkit::oneOfLimit(call.dialect()), static_cast<std::size_t>(count)));
    for (int from = 0; from < count; from += batch)
        if (!readBatch(call, codes, from, std::min(count, from + batch), facts))
            return DRUGBASE_DB_FAILURE;
    return DRUGBASE_OK;
}
