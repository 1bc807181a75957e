// The patient file's session and the data-call idioms every call is built from.
#pragma once

#include <string>
#include <string_view>

#include "dbcall/session.h"
#include "patientbase.h"

namespace patientbase {

using dbcall::Call;
namespace Failure = dbcall::Failure;
using dbcall::Lookup;
using dbcall::Recordset;
using dbcall::WriteCall;

// Set by LRecordOpen; ready only when the file was there and the engine can encrypt.
dbcall::Session& session();

// "SELECT <columns> FROM Patient_Information WHERE ID = ?" limited to the first such row in
// table order, the row a search by ID finds.
std::string selectFirstWithId(std::string_view columns, const sqlkit::Dialect& dialect);

// The results of the calls: outcome(completed), outcome(lookup, ifFound, ifMissing).
inline constexpr dbcall::ResultCodes outcome{PATIENTBASE_OK, PATIENTBASE_DB_FAILURE};

}  // namespace patientbase
