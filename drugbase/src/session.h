// The catalogue's session and the data-call idioms every record call is built from.
#pragma once

#include "dbcall/session.h"
#include "drugbase.h"

namespace drugbase {

namespace Failure = dbcall::Failure;
using dbcall::Lookup;
using dbcall::Recordset;
using dbcall::WriteCall;

// Set by RecordOpen; ready only when the file was there and the engine can encrypt.
dbcall::Session& session();

// The results of the calls: outcome(completed), outcome(lookup, ifFound, ifMissing).
inline constexpr dbcall::ResultCodes outcome{DRUGBASE_OK, DRUGBASE_DB_FAILURE};

}  // namespace drugbase
