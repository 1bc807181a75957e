#include "register_session.h"

#include "register_columns.h"
#include "register_messages.h"

namespace patientbase {

dbcall::Session& session() {
    static dbcall::Session s(kFileName, kPassword, messages);
    return s;
}

std::string selectFirstWithId(std::string_view columns, const sqlkit::Dialect& dialect) {
    return "SELECT " + std::string(columns) + " FROM Patient_Information WHERE ID = ? ORDER BY " +
           std::string(dialect.rowKey) + " LIMIT 1";
}

}  // namespace patientbase
