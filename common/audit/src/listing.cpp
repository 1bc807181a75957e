#include "audit/listing.h"

#include <algorithm>

namespace audit {

std::vector<Row> listed(const std::vector<Chain>& chains, const Filter& filter) {
    std::vector<Row> rows;
    for (const Chain& chain : chains)
        for (const Row& row : chain.rows)
            if ((filter.patientId.empty() || row.patientId == filter.patientId) &&
                row.stamp.compare(0, filter.since.size(), filter.since) >= 0)
                rows.push_back(row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.stamp < b.stamp; });
    return rows;
}

std::string firstBreak(const std::vector<Chain>& chains) {
    for (const Chain& chain : chains) {
        const std::optional<std::size_t> bad = firstBrokenRow(chain.rows);
        if (!bad) continue;
        const Row& row = chain.rows[*bad];
        return chain.name + ": row " + std::to_string(*bad + 1) + " (SEQ " +
               std::to_string(row.seq) + ", " + row.stamp + ", " + row.action +
               ") does not follow from the rows before it: changed, inserted, or a row before "
               "it deleted";
    }
    return {};
}

}  // namespace audit
