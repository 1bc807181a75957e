// The IDs the register has given out, kept in a table of their own beside Patient_Information
// so that a proposed ID is above every ID ever used and an ID an earlier patient had is known.
// The table holds the ID of every patient registered when it was made and every ID given out
// since, by registering or renumbering; deleting a patient leaves its ID there.
#pragma once

#include <string>

#include "register_session.h"
#include "sqlkit/connection.h"

namespace patientbase {

inline constexpr const char* kUsedIdTable = "Patient_UsedID";

// CREATE TABLE of the used-ID table in the SQL of `dialect`.
std::string usedIdSchemaSql(const sqlkit::Dialect& dialect);

// Records the IDs of the registered patients as used, on a server whose register was just
// copied from a file; false with the engine's text.
bool recordRegisteredIds(sqlkit::Connection& db, std::string* error);

// Makes a file made before the table existed keep working: creates the table when missing,
// holding the IDs of the registered patients. Every call that reads the table or changes the
// register runs it first (before its change). When it cannot, the call's own statements fail
// and say so. A server's tables are made by its set-up.
void readyUsedIds(Call& call);

// Records `id` as used, inside the caller's transaction, after readyUsedIds. False after the
// library's message.
bool recordUsedId(WriteCall& call, int id);

}  // namespace patientbase
