// LRecordCreateID and LRecordIDUsed: the IDs the register has given out, from the register and
// its used-ID table.
#include <cstdint>
#include <optional>
#include <string>

#include "register_io.h"
#include "register_session.h"
#include "used_ids.h"

using namespace patientbase;

namespace {

// The one row of `sql`, read by `onRow`, after readying the used-ID table; `id`, when given, is
// bound to the two parameters. False after the library's message.
template <class OnRow>
bool readUsed(const std::string& sql, std::optional<int> id, OnRow&& onRow) {
    Call call(session());
    if (!call.opened()) return false;
    readyUsedIds(call);
    auto query = call.prepare(sql);
    if (!query) return false;
    if (id) query->bindInt(1, *id).bindInt(2, *id);
    if (call.lookUp(*query) != Lookup::Found) return false;
    onRow(*query);
    return true;
}

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordCreateID(void) {
    // Each maximum walks its table's ID index to its end.
    long long highest = 0;
    const bool read = readUsed(std::string("SELECT (SELECT max(ID) FROM Patient_Information), "
                                           "(SELECT max(ID) FROM ") +
                                   kUsedIdTable + ")",
                               std::nullopt, [&](const sqlkit::Statement& row) {
                                   for (int column = 0; column < 2; ++column)
                                       if (!row.isNull(column) && row.integer(column) > highest)
                                           highest = row.integer(column);
                               });
    if (!read || highest >= INT32_MAX) return PATIENTBASE_DB_FAILURE;
    return int32Of(highest + 1);
}

PATIENTBASE_API int LRecordIDUsed(int id) {
    bool used = false;
    const bool read =
        readUsed(std::string("SELECT EXISTS (SELECT 1 FROM Patient_Information WHERE ID = ?) OR "
                             "EXISTS (SELECT 1 FROM ") +
                     kUsedIdTable + " WHERE ID = ?)",
                 id, [&](const sqlkit::Statement& row) { used = row.integer(0) != 0; });
    return read ? (used ? 1 : 0) : PATIENTBASE_DB_FAILURE;
}

}  // extern "C"
