// The inside of the register's maintenance calls (patientbase/admin.h): opening the file and
// creating the tables on a connection. Used by the library, the data-server setup and the tests.
#pragma once

#include <filesystem>
#include <string>

#include "patientbase/admin.h"
#include "sqlkit/connection.h"

namespace patientbase {

// Opens <dataFolder>/患者ファイル.mdb for a tool; nullptr with the reason.
sqlkit::ConnectionPtr openPatientFile(const std::filesystem::path& dataFolder, std::string* error);

// Creates the register's table and indexes on `db` in the SQL of its engine (on a server,
// inside the caller's transaction); false with the engine's text.
bool createPatientTables(sqlkit::Connection& db, std::string* error);

}  // namespace patientbase
